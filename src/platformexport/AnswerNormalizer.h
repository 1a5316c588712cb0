#pragma once

#include <QString>
#include <QStringList>

// How a pupil's typed answer is compared with the book's answer, on the
// self-check page and in the accepted answers given to the platforms.
//
// The book's answers look like "［動］～を達成する，成し遂げる": a
// part-of-speech mark, a placeholder for the object and several
// alternatives. Both the book's answer and the pupil's text are brought to
// one form: the text as printed (markup rendered), NFKC (full-width letters
// and digits become ordinary ones), Latin letters in lower case, runs of
// spaces as one space; "［…］" marks and "～" dropped. The book's answer
// is then split into alternatives on "，", "、", "／" and "；" (and
// their narrow forms); a part in parentheses may be typed or left out, as
// "（お金）を稼ぐ" takes "お金を稼ぐ", "を稼ぐ" and "(お金)を稼ぐ"; and an
// alternative that begins with an object slot and its particle ("～を達成
// する", "（試験）に落ちる") takes the verb alone as well ("達成する").
//
// The self-check page carries the same rules in its script; the tests
// hold the two to each other in a real browser.
class AnswerNormalizer {
public:
    // The accepted forms of a book's answer (marked up), in the order of
    // the answer, without repeats. Empty only when nothing of the answer
    // remains.
    static QStringList Alternatives(const QString& answer);
    // Whether the pupil's text is right: every part of it (split as the
    // book's answer is) is one of the answer's alternatives, so one
    // alternative or several of them, in any order, count.
    static bool Accepts(const QString& answer, const QString& typed);
};
