#include "automation/office/TextMatcher.h"

namespace Office {
namespace {

// Half-width katakana U+FF61..U+FF9F and their full-width forms.
const char16_t kFullWidthKana[] = u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
                                  u"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

QChar FoldWidth(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
        return QChar(static_cast<char16_t>(u - 0xFEE0));
    if (u == 0x3000)
        return QChar(u' ');
    if (u >= 0xFF61 && u <= 0xFF9F)
        return QChar(kFullWidthKana[u - 0xFF61]);
    return c;
}

} // namespace

TextMatcher::TextMatcher(const QString& searchText, Options options)
    : m_options(options)
    , m_pattern(Fold(searchText, options))
{
}

QString TextMatcher::Fold(const QString& text, Options options)
{
    QString folded = text;
    for (QChar& c : folded) {
        if (c.isSurrogate())
            continue;
        if (!options.matchByte)
            c = FoldWidth(c);
        if (!options.matchCase)
            c = c.toCaseFolded();
    }
    return folded;
}

bool TextMatcher::IsWholeWordAt(const QString& text, int position) const
{
    const auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    if (position > 0 && isWordChar(text.at(position - 1)))
        return false;
    const int after = position + m_pattern.size();
    return after >= text.size() || !isWordChar(text.at(after));
}

QList<int> TextMatcher::FindAll(const QString& text, int from, int to) const
{
    QList<int> found;
    if (m_pattern.isEmpty())
        return found;
    const QString folded = Fold(text, m_options);
    if (to < 0 || to > folded.size())
        to = folded.size();
    int at = std::max(0, from);
    while (true) {
        const int hit = folded.indexOf(m_pattern, at);
        if (hit < 0 || hit + m_pattern.size() > to)
            break;
        if (!m_options.matchWholeWord || IsWholeWordAt(folded, hit)) {
            found.append(hit);
            at = hit + m_pattern.size();
        } else {
            at = hit + 1;
        }
    }
    return found;
}

int TextMatcher::FindNext(const QString& text, int from) const
{
    const QList<int> found = FindAll(text, from);
    return found.isEmpty() ? -1 : found.first();
}

int TextMatcher::FindPrevious(const QString& text, int before) const
{
    const QList<int> found = FindAll(text, 0, before);
    return found.isEmpty() ? -1 : found.last();
}

} // namespace Office
