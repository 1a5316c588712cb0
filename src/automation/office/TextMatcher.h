#pragma once

#include <QList>
#include <QString>

namespace Office {

// Finds a plain search text in a document's text with Word's search
// options: MatchCase false ignores letter case; MatchByte false lets the
// full-width and half-width forms of a character match each other
// (Latin letters, digits, signs, the space, katakana); MatchWholeWord
// accepts only matches not flanked by letters or digits. Every folding
// maps one UTF-16 unit to one, so positions in the folded text are
// positions in the document.
class TextMatcher {
public:
    struct Options {
        bool matchCase = false;
        bool matchByte = false;
        bool matchWholeWord = false;
    };

    TextMatcher(const QString& searchText, Options options);

    int Length() const { return m_pattern.size(); }
    bool IsEmpty() const { return m_pattern.isEmpty(); }

    // Start positions of the non-overlapping matches in [from, to), in order.
    QList<int> FindAll(const QString& text, int from = 0, int to = -1) const;
    // The first match starting at or after `from`, or -1.
    int FindNext(const QString& text, int from) const;
    // The last match ending at or before `before`, or -1.
    int FindPrevious(const QString& text, int before) const;

    static QString Fold(const QString& text, Options options);

private:
    bool IsWholeWordAt(const QString& text, int position) const;

    Options m_options;
    QString m_pattern;
};

} // namespace Office
