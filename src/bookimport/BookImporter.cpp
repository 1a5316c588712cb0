#include "bookimport/BookImporter.h"

#include "automation/SpreadsheetReader.h"
#include "automation/SpreadsheetReaders.h"
#include "bookimport/AnkiTextReader.h"
#include "bookimport/ColumnName.h"
#include "bookimport/ColumnRoles.h"
#include "bookimport/DelimitedSheetReader.h"
#include "bookimport/InputFile.h"
#include "bookimport/MnemosyneTextReader.h"
#include "bookimport/QuestionSheetConverter.h"
#include "bookimport/QuizletTextReader.h"
#include "bookimport/SourceFormat.h"
#include "bookimport/SpreadsheetBounds.h"
#include "bookimport/TextDecoder.h"
#include "bookimport/WordListConverter.h"
#include "markup/SheetText.h"
#include "quiz/Path.h"

#include <QFileInfo>

#include <utility>

namespace {

const QString kDefaultType = QStringLiteral("101");

// A question sheet names its formats; a word list has meanings instead.
bool IsQuestionSheet(const Sheet& sheet)
{
    return sheet.header.cells.contains(ColumnName::Format);
}

// The first row names the columns: if it names none that either shape
// knows, the sheet has no header row.
bool NamesOurColumns(const SheetRow& row)
{
    const QStringList known = WordListConverter::KnownColumns() + QuestionSheetConverter::KnownColumns();
    for (const QString& cell : row.cells)
        if (known.contains(cell))
            return true;
    return false;
}

// The first value a sheet gives in a column of the whole book (書名, 種別).
QString SheetValue(const Sheet& sheet, const QString& column)
{
    const int index = static_cast<int>(sheet.header.cells.indexOf(column));
    if (index < 0)
        return QString();
    for (const SheetRows::Row row : sheet.rows) {
        const QString cell = row.Cell(index);
        if (!cell.isEmpty())
            return SheetText::Unguard(cell);
    }
    return QString();
}

bool HasHeader(const Sheet& sheet)
{
    return NamesOurColumns(sheet.header);
}

// Whether the first line of a text that cannot be read as a table whole
// (a quote left open further down, more columns than a sheet may have)
// names our columns.
bool BeginsWithHeader(const QByteArray& utf8, const QString& path)
{
    const QByteArray text = utf8.trimmed();
    const qsizetype end = text.indexOf('\n');
    const QByteArray line = end < 0 ? text : text.left(end);
    const char delimiter = DelimitedSheetReader::DelimiterFor(path, utf8);
    SheetRows rows;
    Problems ignored;
    if (DelimitedSheetReader::ParseRecords(line, delimiter, 1, rows, ignored) && !rows.empty())
        return NamesOurColumns(rows.front().Whole());
    // A header the reader refuses is still ours when its names are.
    SheetRow header;
    for (const QByteArray& cell : line.split(delimiter))
        header.cells << DelimitedSheetReader::TrimBlanks(QString::fromUtf8(cell));
    return NamesOurColumns(header);
}

const QString kUnknownShape
    = QStringLiteral("このファイルの形がわかりません。取り込めるのは、1 行目に「見出し語」「意味」（単語帳）か"
                     "「形式」「見出し語」「問題文」「解答」（問題シート）などの列名を書いた表、"
                     "Anki のテキスト書き出し（「#separator:」などの行で始まるもの）、"
                     "Quizlet のコピー（用語と定義をタブかコンマで区切って 1 行に 1 組）、"
                     "Mnemosyne のタブ区切り（1 行に 2～4 項目）です");

} // namespace

BookImporter::BookImporter(SpreadsheetReader* spreadsheets)
    : m_spreadsheets(spreadsheets)
{
}

bool BookImporter::IsSpreadsheet(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("ods") || suffix == QLatin1String("xlsx") || suffix == QLatin1String("xls");
}

bool BookImporter::IsKnownType(const QString& type)
{
    return type == QLatin1String("101") || type == QLatin1String("301") || type == QLatin1String("303");
}

QString BookImporter::TitleFor(const ImportRequest& request)
{
    const QString title = request.title.trimmed();
    return title.isEmpty() ? QFileInfo(request.input).completeBaseName() : title;
}

QString BookImporter::FileNameFor(const QString& title)
{
    QString name;
    for (QChar c : title.trimmed()) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            name.append(u'_');
        else
            name.append(c);
    }
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    if (name.isEmpty())
        name = QStringLiteral("book");
    return name + QStringLiteral("_main.db");
}

QString BookImporter::OutputFor(const ImportRequest& request)
{
    if (!request.output.isEmpty())
        return request.output;
    const QString folder = Path().UserBookFolder();
    if (folder.isEmpty())
        return QString();
    return folder + u'/' + FileNameFor(TitleFor(request));
}

bool BookImporter::ReadSheet(const ImportRequest& request, Sheet& sheet, Problems& problems)
{
    const QString& path = request.input;
    if (!request.from.isEmpty() && !SourceFormat::All().contains(request.from)) {
        problems.Error(0, 0,
            QStringLiteral("読み取る形は %1 のどれかです（指定: %2）")
                .arg(SourceFormat::All().join(QStringLiteral("、")), request.from));
        return false;
    }
    if (IsSpreadsheet(path)) {
        if (!request.from.isEmpty() && request.from != SourceFormat::Sheet) {
            problems.Error(0, 0,
                QStringLiteral("表計算のファイルは列名つきの表としてだけ読めます（指定: %1）")
                    .arg(SourceFormat::DisplayName(request.from)));
            return false;
        }
        // What the file declares is checked before the office builds it.
        if (!SpreadsheetBounds::Check(path, problems))
            return false;
        SpreadsheetReader* spreadsheets = m_spreadsheets ? m_spreadsheets : SpreadsheetReaders::Default();
        if (!spreadsheets) {
            problems.Error(
                0, 0, QStringLiteral("表計算のファイル（ODS・XLSX）を読むにはオフィスが必要ですが、使えません"));
            return false;
        }
        QString error;
        const bool read = spreadsheets->Read(path, sheet, error);
        if (!read)
            problems.Error(0, 0, error);
        sheet.format = SourceFormat::Sheet;
        return read;
    }
    QByteArray bytes;
    if (!DelimitedSheetReader::ReadFile(path, bytes, problems))
        return false;
    const TextDecoder::Result text = TextDecoder::Decode(bytes);
    bytes.clear();
    if (!text.ok) {
        problems.Error(0, 0, text.error);
        return false;
    }
    const bool read = ReadText(request.from, text.utf8, path, sheet, problems);
    sheet.file = path;
    sheet.encoding = text.encoding;
    return read;
}

bool BookImporter::ReadText(
    const QString& from, const QByteArray& utf8, const QString& path, Sheet& sheet, Problems& problems)
{
    sheet = Sheet();
    if (from == SourceFormat::Anki || (from.isEmpty() && AnkiTextReader::HasHeader(utf8)))
        return AnkiTextReader::Read(utf8, sheet, problems);
    if (from == SourceFormat::Quizlet)
        return QuizletTextReader::Read(utf8, sheet, problems);
    if (from == SourceFormat::Mnemosyne)
        return MnemosyneTextReader::Read(utf8, sheet, problems);
    if (from == SourceFormat::Sheet) {
        const bool parsed = DelimitedSheetReader::ParseText(utf8, path, sheet, problems);
        sheet.format = SourceFormat::Sheet;
        return parsed;
    }

    // Our own table when its first row names our columns; else the shape of
    // a flashcard program's text that fits.
    Problems asSheet(problems.File());
    const bool parsed = DelimitedSheetReader::ParseText(utf8, path, sheet, asSheet);
    sheet.format = SourceFormat::Sheet;
    if (parsed ? !HasHeader(sheet) : !BeginsWithHeader(utf8, path)) {
        if (MnemosyneTextReader::Fits(utf8)) {
            sheet = Sheet();
            return MnemosyneTextReader::Read(utf8, sheet, problems);
        }
        if (QuizletTextReader::Fits(utf8)) {
            sheet = Sheet();
            return QuizletTextReader::Read(utf8, sheet, problems);
        }
    }
    for (const Problem& problem : asSheet.List())
        problems.Add(problem);
    if (parsed && !HasHeader(sheet)) {
        problems.Error(sheet.header.row, 0, kUnknownShape);
        return false;
    }
    return parsed;
}

std::optional<BookDraft> BookImporter::ConvertFlashcards(
    const ImportRequest& request, const QString& type, Sheet& sheet, Problems& problems, BookWriter* writer)
{
    sheet.roles = ColumnRoles::Fitted(sheet, request.roles.isEmpty() ? sheet.roles : request.roles);
    if (request.from.isEmpty())
        problems.Warning(0, 0,
            QStringLiteral("%1として読みます（%2）")
                .arg(SourceFormat::DisplayName(sheet.format), ColumnRoles::Describe(sheet, sheet.roles)));
    if (!ColumnRoles::Check(sheet, sheet.roles, problems))
        return std::nullopt;
    // Read as a word list whose header names the columns by their roles.
    QStringList labels = std::exchange(sheet.header.cells, sheet.roles);
    std::optional<BookDraft> draft = WordListConverter().Convert(sheet, type, TitleFor(request), problems, writer);
    sheet.header.cells = std::move(labels);
    return draft;
}

std::optional<BookDraft> BookImporter::Prepare(const ImportRequest& request, Sheet& sheet, Problems& problems)
{
    return Make(request, sheet, problems, nullptr);
}

std::optional<BookDraft> BookImporter::Make(
    const ImportRequest& request, Sheet& sheet, Problems& problems, BookWriter* writer)
{
    problems.SetFile(request.input);
    if (!request.type.isEmpty() && !IsKnownType(request.type)) {
        problems.Error(0, 0, QStringLiteral("本の種別は 101、301、303 のどれかです（指定: %1）").arg(request.type));
        return std::nullopt;
    }
    if (TitleFor(request).isEmpty()) {
        problems.Error(0, 0, QStringLiteral("本の題名がありません"));
        return std::nullopt;
    }
    if (!InputFile::CheckReadable(request.input, problems) || !ReadSheet(request, sheet, problems))
        return std::nullopt;
    if (sheet.format != SourceFormat::Sheet)
        return ConvertFlashcards(
            request, request.type.isEmpty() ? kDefaultType : request.type, sheet, problems, writer);
    if (!HasHeader(sheet)) {
        problems.Error(sheet.header.row, 0,
            QStringLiteral("見出し行がありません。1 行目に「見出し語」「意味」（単語帳）か"
                           "「形式」「見出し語」「問題文」「解答」（問題シート）などの列名を書いてください"));
        return std::nullopt;
    }
    // What the request leaves open, a sheet written from a book tells.
    QString type = request.type.isEmpty() ? SheetValue(sheet, ColumnName::Type) : request.type;
    if (type.isEmpty())
        type = kDefaultType;
    if (!IsKnownType(type)) {
        problems.Error(0, 0, QStringLiteral("本の種別は 101、301、303 のどれかです（「種別」: %1）").arg(type));
        return std::nullopt;
    }
    const QString sheetTitle = SheetValue(sheet, ColumnName::Title);
    const QString title = request.title.trimmed().isEmpty() && !sheetTitle.isEmpty() ? sheetTitle : TitleFor(request);
    if (IsQuestionSheet(sheet))
        return QuestionSheetConverter().Convert(sheet, type, title, problems, writer);
    return WordListConverter().Convert(sheet, type, title, problems, writer);
}

QString BookImporter::Import(const ImportRequest& request, Problems& problems, BookWriter::Progress progress)
{
    // The book is written as the rows are read, when it can go where asked;
    // else the rows are only checked, so that what is wrong with them is
    // told first.
    const QString output = OutputFor(request);
    BookWriter writer(std::move(progress));
    QString error;
    const bool begun
        = !output.isEmpty() && (request.force || !InputFile::Occupied(output)) && writer.Begin(output, error);
    Sheet sheet;
    const std::optional<BookDraft> draft = Make(request, sheet, problems, begun ? &writer : nullptr);
    if (!draft)
        return QString();
    sheet = Sheet(); // all it holds is in the book now
    if (output.isEmpty()) {
        problems.Error(0, 0, QStringLiteral("本を置くフォルダがわかりません（-o で指定してください）"));
        return QString();
    }
    if (InputFile::Occupied(output) && !request.force) {
        problems.Error(
            0, 0, QStringLiteral("%1 は既にあります。置き換えるときは --force を付けてください").arg(output));
        return QString();
    }
    if (!begun || !writer.Finish(*draft, error)) {
        problems.Error(0, 0, error);
        return QString();
    }
    if (!QFileInfo(output).fileName().endsWith(QStringLiteral("_main.db")))
        problems.Warning(0, 0,
            QStringLiteral("%1 は名前が _main.db で終わらないので、プログラムの書籍一覧には出ません").arg(output));
    return output;
}
