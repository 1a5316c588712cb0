#include "markup/SheetText.h"

namespace {

constexpr char16_t kFullWidthLess = 0xFF1C;
constexpr char16_t kFullWidthGreater = 0xFF1E;
const QString kAtTag = QStringLiteral("<A=>");

bool IsKnownTag(QStringView content)
{
    if (content.size() < 2 || content[1] != u'=')
        return false;
    const char16_t kind = content[0].unicode();
    return kind == u'G' || kind == u'S' || kind == u'A' || kind == u'L';
}

bool StartsFormula(QChar c)
{
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

// The index of the first character after the leading apostrophes.
qsizetype AfterApostrophes(QStringView cell)
{
    qsizetype i = 0;
    while (i < cell.size() && cell[i] == u'\'')
        ++i;
    return i;
}

// Where the tag opened at `open` closes: the first ">" after it, unless a
// "<" comes first; -1 when it does not close. Each call looks only at the
// characters up to the next "<" or ">", so a scan that skips to the result
// (or past the next "<") reads every character a bounded number of times.
qsizetype TagEnd(const QString& text, qsizetype open)
{
    for (qsizetype i = open + 1; i < text.size(); ++i) {
        if (text[i] == u'>')
            return i;
        if (text[i] == u'<')
            return -1;
    }
    return -1;
}

} // namespace

QString SheetText::FromCell(const QString& cell, Notes* notes)
{
    QString text;
    text.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const QChar c = cell[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < cell.size() && cell[i + 1] == u'\n')
                ++i;
            text.append(u'@');
        } else if (c == u'@') {
            text.append(kAtTag);
        } else if (c == u'<') {
            const qsizetype end = TagEnd(cell, i);
            if (end < 0) {
                text.append(QChar(kFullWidthLess));
                if (notes)
                    notes->unclosedTag = true;
            } else if (IsKnownTag(QStringView(cell).mid(i + 1, end - i - 1))) {
                text.append(QStringView(cell).mid(i, end - i + 1));
                i = end;
            } else {
                // Not a tag: its brackets become full-width and its content
                // (no "<" or ">" in it) is ordinary text.
                text.append(QChar(kFullWidthLess));
                text.append(FromCell(cell.mid(i + 1, end - i - 1)));
                text.append(QChar(kFullWidthGreater));
                i = end;
                if (notes)
                    notes->unknownTag = true;
            }
        } else {
            text.append(c);
        }
    }
    return text;
}

QString SheetText::ToCell(const QString& text)
{
    QString cell;
    cell.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'@') {
            cell.append(u'\n');
        } else if (c == u'<') {
            if (QStringView(text).mid(i).startsWith(kAtTag)) {
                cell.append(u'@');
                i += kAtTag.size() - 1;
                continue;
            }
            // A tag passes whole: the first ">" closes it, or it runs to
            // the end of the text.
            qsizetype end = text.indexOf(u'>', i + 1);
            if (end < 0)
                end = text.size() - 1;
            cell.append(QStringView(text).mid(i, end - i + 1));
            i = end;
        } else {
            cell.append(c);
        }
    }
    return cell;
}

bool SheetText::Carries(const QString& text)
{
    return FromCell(ToCell(text)) == text;
}

bool SheetText::NeedsGuard(QStringView cell)
{
    const qsizetype first = AfterApostrophes(cell);
    return first < cell.size() && StartsFormula(cell[first]);
}

QString SheetText::Guard(const QString& cell)
{
    return NeedsGuard(cell) ? u'\'' + cell : cell;
}

QString SheetText::Unguard(const QString& cell)
{
    const qsizetype first = AfterApostrophes(cell);
    if (first > 0 && first < cell.size() && StartsFormula(cell[first]))
        return cell.mid(1);
    return cell;
}

QByteArray SheetText::CsvRecord(const QStringList& cells)
{
    // Built as text and encoded once: a record is written for every row of
    // an answer key or a history, and encoding cell by cell cost more than
    // the rest of the writing.
    qsizetype length = 2;
    for (const QString& cell : cells)
        length += cell.size() + 4;
    QString record;
    record.reserve(length);
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            record += u',';
        record += u'"';
        const QString cell = Guard(cells[i]);
        if (cell.contains(u'"'))
            record += QString(cell).replace(u'"', QLatin1String("\"\""));
        else
            record += cell;
        record += u'"';
    }
    record += QLatin1String("\r\n");
    return record.toUtf8();
}
