#include "bookimport/AnkiTextReader.h"

#include "bookimport/ColumnName.h"
#include "bookimport/ColumnRoles.h"
#include "bookimport/DeckLevels.h"
#include "bookimport/DelimitedSheetReader.h"
#include "bookimport/HtmlText.h"
#include "bookimport/SourceFormat.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace {

const QStringList kKeys{QStringLiteral("separator"), QStringLiteral("html"), QStringLiteral("tags"),
    QStringLiteral("columns"), QStringLiteral("notetype"), QStringLiteral("deck"), QStringLiteral("notetype column"),
    QStringLiteral("deck column"), QStringLiteral("tags column"), QStringLiteral("guid column")};

// The header lines: their values by key, and the line the notes start on.
struct Header {
    QHash<QString, QString> values;
    QHash<QString, int> lines;
    int lineCount = 0;
    qsizetype notesStart = 0;
};

Header ReadHeader(const QByteArray& utf8)
{
    Header header;
    qsizetype start = 0;
    while (start < utf8.size()) {
        qsizetype end = utf8.indexOf('\n', start);
        end = end < 0 ? utf8.size() : end + 1;
        QString line = QString::fromUtf8(utf8.mid(start, end - start));
        while (line.endsWith(u'\n') || line.endsWith(u'\r'))
            line.chop(1);
        QString entry;
        if (line.startsWith(u'#'))
            entry = line.mid(1);
        else if (header.lineCount == 0 && line.startsWith(QStringLiteral("tags:")))
            entry = line;
        else
            break;
        ++header.lineCount;
        const qsizetype colon = entry.indexOf(u':');
        if (colon > 0) {
            const QString key = entry.left(colon).trimmed().toLower();
            header.values.insert(key, entry.mid(colon + 1));
            header.lines.insert(key, header.lineCount);
        }
        start = end;
    }
    header.notesStart = start;
    return header;
}

std::optional<char> NamedSeparator(const QString& value)
{
    static const QHash<QString, char> kNames{{QStringLiteral("comma"), ','}, {QStringLiteral("semicolon"), ';'},
        {QStringLiteral("tab"), '\t'}, {QStringLiteral("space"), ' '}, {QStringLiteral("pipe"), '|'},
        {QStringLiteral("colon"), ':'}};
    const QString name = value.trimmed().toLower();
    if (kNames.contains(name))
        return kNames.value(name);
    if (value.size() == 1 && QStringLiteral(",;\t |:").contains(value[0]))
        return static_cast<char>(value[0].unicode());
    return std::nullopt;
}

char GuessSeparator(const QByteArray& notes)
{
    const QByteArray head = notes.left(8 * 1024);
    for (const char c : {'\t', '|', ';', ':', ','})
        if (head.contains(c))
            return c;
    return ' ';
}

// A 1-based column number of a header line, or 0.
int ColumnOf(const Header& header, const QString& key)
{
    bool ok = false;
    const int column = header.values.value(key).trimmed().toInt(&ok);
    return ok && column > 0 ? column : 0;
}

QString FirstTag(const QString& tags)
{
    return tags.split(u' ', Qt::SkipEmptyParts).value(0);
}

QString FieldText(const QString& field, bool html)
{
    static const QRegularExpression kSound(QStringLiteral("\\[sound:[^\\]]*\\]"));
    QString text = html ? HtmlText::ToText(field) : field;
    if (text.contains(QStringLiteral("[sound:")))
        text = text.remove(kSound).trimmed();
    return text;
}

} // namespace

bool AnkiTextReader::HasHeader(const QByteArray& utf8)
{
    const Header header = ReadHeader(utf8);
    for (const QString& key : header.values.keys())
        if (kKeys.contains(key))
            return true;
    return false;
}

bool AnkiTextReader::Read(const QByteArray& utf8, Sheet& sheet, Problems& problems)
{
    sheet.format = SourceFormat::Anki;
    const Header header = ReadHeader(utf8);
    const QByteArray notes = utf8.mid(header.notesStart);
    const std::optional<char> named = NamedSeparator(header.values.value(QStringLiteral("separator")));
    const char separator = named ? *named : GuessSeparator(notes);
    if (!DelimitedSheetReader::ParseRecords(notes, separator, header.lineCount + 1, sheet.rows, problems))
        return false;
    if (sheet.rows.empty()) {
        problems.Error(0, 0, QStringLiteral("Anki の書き出しにノートがありません"));
        return false;
    }

    QStringList labels;
    if (header.values.contains(QStringLiteral("columns"))) {
        SheetRows record;
        Problems ignored;
        DelimitedSheetReader::ParseRecords(
            header.values.value(QStringLiteral("columns")).toUtf8(), separator, 1, record, ignored);
        if (!record.empty())
            labels = record.front().Whole().cells;
        sheet.header.row = header.lines.value(QStringLiteral("columns"));
    }

    // The columns that are not a note's fields.
    const QHash<int, QString> metaColumns{{ColumnOf(header, QStringLiteral("guid column")), QStringLiteral("GUID")},
        {ColumnOf(header, QStringLiteral("notetype column")), QStringLiteral("ノートタイプ")},
        {ColumnOf(header, QStringLiteral("deck column")), QStringLiteral("デッキ")},
        {ColumnOf(header, QStringLiteral("tags column")), QStringLiteral("タグ")}};
    qsizetype columns = labels.size();
    for (const SheetRows::Row row : sheet.rows)
        columns = std::max<qsizetype>(columns, row.Size());
    for (auto it = metaColumns.begin(); it != metaColumns.end(); ++it)
        columns = std::max<qsizetype>(columns, it.key());

    const QString htmlValue = header.values.value(QStringLiteral("html")).trimmed().toLower();
    bool html = htmlValue == QLatin1String("true");
    if (htmlValue != QLatin1String("true") && htmlValue != QLatin1String("false"))
        for (const SheetRows::Row row : sheet.rows)
            for (int c = 0; c < row.Size() && !html; ++c)
                html = !metaColumns.contains(c + 1) && HtmlText::LooksLikeHtml(row.Cell(c));

    int fields = 0;
    for (qsizetype c = 0; c < columns; ++c) {
        const int number = static_cast<int>(c + 1);
        QString label = labels.value(c);
        if (metaColumns.contains(number)) {
            if (label.isEmpty())
                label = metaColumns.value(number);
        } else {
            ++fields;
            if (label.isEmpty())
                label = QStringLiteral("フィールド %1").arg(fields);
        }
        sheet.header.cells.append(label);
    }

    // Fields as text; each note's deck and first tag as paths.
    const int deckColumn = ColumnOf(header, QStringLiteral("deck column"));
    const int tagsColumn = ColumnOf(header, QStringLiteral("tags column"));
    const QString deck = header.values.value(QStringLiteral("deck")).trimmed();
    const QString tags = header.values.value(QStringLiteral("tags"));
    QStringList decks;
    QStringList firstTags;
    SheetRows fieldTexts;
    for (const SheetRows::Row read : sheet.rows) {
        SheetRow row = read.Whole();
        for (qsizetype c = 0; c < row.cells.size(); ++c)
            if (!metaColumns.contains(static_cast<int>(c + 1)))
                row.cells[c] = FieldText(row.cells[c], html);
        const QString rowDeck = deckColumn > 0 ? row.Cell(deckColumn - 1) : QString();
        decks.append(rowDeck.isEmpty() ? deck : rowDeck);
        const QString rowTag = tagsColumn > 0 ? FirstTag(row.Cell(tagsColumn - 1)) : QString();
        firstTags.append(rowTag.isEmpty() ? FirstTag(tags) : rowTag);
        fieldTexts.push_back(row);
    }
    sheet.rows = std::move(fieldTexts);

    QStringList roles;
    for (qsizetype c = 0; c < columns; ++c)
        roles.append(ColumnRoles::Choices().contains(sheet.header.cells[c]) ? sheet.header.cells[c] : QString());
    for (qsizetype c = 0, field = 0; c < columns && field < 2; ++c) {
        if (metaColumns.contains(static_cast<int>(c + 1)))
            continue;
        const QString& role = field++ == 0 ? ColumnName::Word : ColumnName::Meaning;
        if (roles[c].isEmpty() && !roles.contains(role))
            roles[c] = role;
    }

    // 章 and 節 from the decks, else from the tags, as columns of their own.
    const auto addHeadings = [&](const QStringList& paths, const QString& from) {
        if (std::all_of(paths.begin(), paths.end(), [](const QString& p) { return p.isEmpty(); }))
            return;
        const std::vector<DeckLevels::Heading> headings = DeckLevels::Split(paths);
        const bool take = !roles.contains(ColumnName::Chapter);
        sheet.header.cells.append(QStringLiteral("%1（%2）").arg(ColumnName::Chapter, from));
        sheet.header.cells.append(QStringLiteral("%1（%2）").arg(ColumnName::Section, from));
        roles.append(take ? ColumnName::Chapter : QString());
        roles.append(take && !roles.contains(ColumnName::Section) ? ColumnName::Section : QString());
        SheetRows withHeadings;
        for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
            SheetRow row = sheet.rows[i].Whole();
            while (row.cells.size() < sheet.header.cells.size() - 2)
                row.cells.append(QString());
            row.cells.append(headings[i].chapter);
            row.cells.append(headings[i].section);
            withHeadings.push_back(row);
        }
        sheet.rows = std::move(withHeadings);
    };
    addHeadings(decks, QStringLiteral("デッキ"));
    addHeadings(firstTags, QStringLiteral("タグ"));
    sheet.roles = roles;
    return true;
}
