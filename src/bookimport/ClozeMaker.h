#pragma once

#include <QString>

// Makes the fill-in-the-blank sub-question of a word-list row: the example
// sentence with the headword's occurrence replaced by "( x　　　 )", where
// x is the first letter of the word as it stands in the sentence, and that
// word as the answer. The occurrence is the first place where the headword
// begins a word, ignoring case; it extends to the end of that word, so an
// inflected form ("achieved" for "achieve") is the answer as written.
class ClozeMaker {
public:
    struct Cloze {
        bool found = false;
        QString sentence; // the example with the blank
        QString answer;   // the word as it stands in the example
    };

    static Cloze Make(const QString& headword, const QString& example);
};
