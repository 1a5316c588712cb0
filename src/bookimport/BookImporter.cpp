#include "bookimport/BookImporter.h"

#include "quiz/Path.h"
#include "bookimport/ColumnName.h"
#include "bookimport/DelimitedSheetReader.h"
#include "bookimport/InputFile.h"
#include "bookimport/QuestionSheetConverter.h"
#include "automation/SpreadsheetReader.h"
#include "automation/SpreadsheetReaders.h"
#include "bookimport/WordListConverter.h"
#include "markup/SheetText.h"

#include <QFileInfo>

namespace {

const QString kDefaultType = QStringLiteral("101");

// A question sheet names its formats; a word list has meanings instead.
bool IsQuestionSheet(const Sheet& sheet)
{
    return sheet.header.cells.contains(ColumnName::Format);
}

// The first row names the columns: if it names none that either shape
// knows, the sheet has no header row.
bool HasHeader(const Sheet& sheet)
{
    const QStringList known = WordListConverter::KnownColumns() + QuestionSheetConverter::KnownColumns();
    for (const QString& cell : sheet.header.cells)
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
    for (const SheetRow& row : sheet.rows)
        if (!row.Cell(index).isEmpty())
            return SheetText::Unguard(row.Cell(index));
    return QString();
}

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

bool BookImporter::ReadSheet(const QString& path, Sheet& sheet, Problems& problems)
{
    if (!IsSpreadsheet(path))
        return DelimitedSheetReader::Read(path, sheet, problems);
    SpreadsheetReader* spreadsheets = m_spreadsheets ? m_spreadsheets : SpreadsheetReaders::Default();
    if (!spreadsheets) {
        problems.Error(0, 0, QStringLiteral("表計算のファイル（ODS・XLSX）を読むにはオフィスが必要ですが、使えません"));
        return false;
    }
    QString error;
    if (spreadsheets->Read(path, sheet, error))
        return true;
    problems.Error(0, 0, error);
    return false;
}

std::optional<BookDraft> BookImporter::Prepare(const ImportRequest& request, Sheet& sheet, Problems& problems)
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
    if (!InputFile::CheckReadable(request.input, problems) || !ReadSheet(request.input, sheet, problems))
        return std::nullopt;
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
        return QuestionSheetConverter().Convert(sheet, type, title, problems);
    return WordListConverter().Convert(sheet, type, title, problems);
}

QString BookImporter::Import(const ImportRequest& request, Problems& problems, BookWriter::Progress progress)
{
    Sheet sheet;
    const std::optional<BookDraft> draft = Prepare(request, sheet, problems);
    if (!draft)
        return QString();
    const QString output = OutputFor(request);
    if (output.isEmpty()) {
        problems.Error(0, 0, QStringLiteral("本を置くフォルダがわかりません（-o で指定してください）"));
        return QString();
    }
    if (InputFile::Occupied(output) && !request.force) {
        problems.Error(
            0, 0, QStringLiteral("%1 は既にあります。置き換えるときは --force を付けてください").arg(output));
        return QString();
    }
    QString error;
    if (!BookWriter(std::move(progress)).Write(*draft, output, error)) {
        problems.Error(0, 0, error);
        return QString();
    }
    if (!QFileInfo(output).fileName().endsWith(QStringLiteral("_main.db")))
        problems.Warning(0, 0,
            QStringLiteral("%1 は名前が _main.db で終わらないので、プログラムの書籍一覧には出ません").arg(output));
    return output;
}
