#pragma once

#include <QStringList>

#include <vector>

// Turns the nested deck names of a flashcard file ("英単語::第1課::発展")
// into the contents of a book: the levels every named deck shares are the
// book itself and are dropped (the last level of a deck is always kept),
// the next level is the chapter, and any deeper levels, joined by " / ",
// the section. Tags nested the same way are turned alike.
class DeckLevels {
public:
    struct Heading {
        QString chapter;
        QString section;
    };

    // One heading per path; an empty path gives an empty heading.
    static std::vector<Heading> Split(const QStringList& paths);
};
