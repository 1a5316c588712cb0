#include "bookimport/DelimitedSheetReader.h"

#include "automation/SheetLimits.h"
#include "bookimport/ImportCancel.h"
#include "bookimport/TextDecoder.h"

#include <QFile>
#include <QFileInfo>

#include <csv.h>

namespace {

// Whether a cell of UTF-8 text, its ASCII blanks already trimmed, is all
// white space (an ideographic space, say), which leaves it empty.
bool IsBlank(QByteArrayView utf8)
{
    if (utf8.isEmpty())
        return true;
    const auto first = static_cast<unsigned char>(utf8.front());
    // Most cells begin with a character that is plainly not a space.
    if (first < 0x80 && first != ' ' && (first < '\t' || first > '\r'))
        return false;
    return QString::fromUtf8(utf8).trimmed().isEmpty();
}

// libcsv hands over fields and row ends through callbacks; this collects
// them into rows numbered by the line where each record starts.
struct RowCollector {
    SheetRows rows;
    bool inRecord = false;
    bool started = false; // a line of the current record has been fed
    int startLine = 1;    // where the current record starts
    int line = 1;         // the line being fed
    QString overLimit;    // set with the bound a record went past; reading stops
    int overColumn = 0;
    QByteArray joined; // a cell whose line breaks are "\r\n", with "\n" instead

    static void OnField(void* data, std::size_t size, void* self)
    {
        auto* collector = static_cast<RowCollector*>(self);
        if (!collector->overLimit.isEmpty())
            return;
        const qsizetype column = collector->CellsInRecord() + 1;
        if (column > SheetLimits::MaxColumns) {
            collector->Refuse(SheetLimits::TooManyColumns(), column);
            return;
        }
        QByteArrayView cell(static_cast<const char*>(data), static_cast<qsizetype>(size));
        // A cell has at most as many characters as bytes.
        if (size > static_cast<std::size_t>(SheetLimits::MaxCellLength)
            && QString::fromUtf8(cell).size() > SheetLimits::MaxCellLength) {
            collector->Refuse(SheetLimits::CellTooLong(), column);
            return;
        }
        if (!collector->inRecord) {
            collector->inRecord = true;
            collector->rows.BeginRow(collector->startLine);
        }
        if (cell.contains('\r')) {
            collector->joined = cell.toByteArray().replace("\r\n", "\n");
            cell = collector->joined;
        }
        const QByteArrayView trimmed = TrimBlanks(cell);
        collector->rows.AddCell(IsBlank(trimmed) ? QByteArrayView() : trimmed);
    }

    int CellsInRecord() const { return inRecord ? rows.CellsInRow() : 0; }

    void Refuse(const QString& message, qsizetype column)
    {
        overLimit = message;
        overColumn = static_cast<int>(column);
    }

    static void OnRowEnd(int, void* self)
    {
        auto* collector = static_cast<RowCollector*>(self);
        if (!collector->overLimit.isEmpty())
            return;
        // The header and MaxRows rows below it.
        if (collector->rows.size() - (collector->inRecord ? 1 : 0) > static_cast<std::size_t>(SheetLimits::MaxRows)) {
            collector->Refuse(SheetLimits::TooManyRows(), 0);
            return;
        }
        if (collector->inRecord)
            collector->rows.EndRow();
        collector->inRecord = false;
        collector->started = false;
    }

    static QByteArrayView TrimBlanks(QByteArrayView text)
    {
        qsizetype begin = 0;
        qsizetype end = text.size();
        while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
            ++begin;
        while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
            --end;
        return text.sliced(begin, end - begin);
    }
};

// Blanks are trimmed by RowCollector, after quoting is resolved, so libcsv
// is told that nothing is a blank (a tab may be the delimiter).
int NoBlank(unsigned char)
{
    return 0;
}

} // namespace

QString DelimitedSheetReader::TrimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return text.mid(begin, end - begin);
}

char DelimitedSheetReader::DelimiterFor(const QString& name, const QByteArray& utf8)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("tsv") || suffix == QLatin1String("tab"))
        return '\t';
    if (suffix == QLatin1String("csv"))
        return ',';
    const QByteArray firstLine = utf8.left(utf8.indexOf('\n'));
    return firstLine.contains('\t') && !firstLine.contains(',') ? '\t' : ',';
}

bool DelimitedSheetReader::ReadFile(const QString& path, QByteArray& bytes, Problems& problems)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problems.Error(0, 0, QStringLiteral("ファイルを開けません（%1）").arg(file.errorString()));
        return false;
    }
    if (file.size() > SheetLimits::MaxFileBytes) {
        problems.Error(0, 0, SheetLimits::FileTooLarge());
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        problems.Error(0, 0, QStringLiteral("ファイルを読めません（%1）").arg(file.errorString()));
        return false;
    }
    return true;
}

bool DelimitedSheetReader::Read(const QString& path, Sheet& sheet, Problems& problems)
{
    QByteArray bytes;
    return ReadFile(path, bytes, problems) && Parse(bytes, path, sheet, problems);
}

bool DelimitedSheetReader::Parse(const QByteArray& bytes, const QString& name, Sheet& sheet, Problems& problems)
{
    const TextDecoder::Result text = TextDecoder::Decode(bytes);
    if (!text.ok) {
        sheet = Sheet();
        sheet.file = name;
        problems.Error(0, 0, text.error);
        return false;
    }
    const bool parsed = ParseText(text.utf8, name, sheet, problems);
    sheet.encoding = text.encoding;
    return parsed;
}

bool DelimitedSheetReader::ParseText(const QByteArray& utf8, const QString& name, Sheet& sheet, Problems& problems)
{
    sheet = Sheet();
    sheet.file = name;
    if (!ParseRecords(utf8, DelimiterFor(name, utf8), 1, sheet.rows, problems))
        return false;
    if (sheet.rows.empty()) {
        problems.Error(0, 0, QStringLiteral("空のファイルです（見出し行がありません）"));
        return false;
    }
    sheet.header = sheet.rows.front().Whole();
    sheet.rows.RemoveFirst();
    return true;
}

bool DelimitedSheetReader::ParseRecords(
    const QByteArray& utf8, char delimiter, int firstLine, SheetRows& rows, Problems& problems)
{
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        problems.Error(0, 0, QStringLiteral("CSV の読み取りを始められません"));
        return false;
    }
    csv_set_delim(&parser, static_cast<unsigned char>(delimiter));
    csv_set_space_func(&parser, NoBlank);

    // Fed one line at a time, so that each record knows the line it starts on.
    RowCollector collector;
    collector.line = firstLine;
    qsizetype start = 0;
    bool ok = true;
    while (ok && start < utf8.size() && collector.overLimit.isEmpty()) {
        if (ImportCancel::Requested()) {
            collector.Refuse(ImportCancel::Message(), 0);
            break;
        }
        qsizetype end = utf8.indexOf('\n', start);
        end = end < 0 ? utf8.size() : end + 1;
        const auto length = static_cast<std::size_t>(end - start);
        if (!collector.started && !QByteArrayView(utf8.constData() + start, end - start).trimmed().isEmpty()) {
            collector.started = true;
            collector.startLine = collector.line;
        }
        if (csv_parse(
                &parser, utf8.constData() + start, length, RowCollector::OnField, RowCollector::OnRowEnd, &collector)
            != length)
            ok = false;
        else
            ++collector.line;
        start = end;
    }
    if (ok && collector.overLimit.isEmpty()
        && csv_fini(&parser, RowCollector::OnField, RowCollector::OnRowEnd, &collector) != 0)
        ok = false;
    if (!collector.overLimit.isEmpty()) {
        problems.Error(collector.startLine, collector.overColumn, collector.overLimit);
        csv_free(&parser);
        return false;
    }
    if (!ok) {
        const int row = collector.started ? collector.startLine : collector.line;
        problems.Error(row, collector.CellsInRecord() + 1,
            QStringLiteral("引用符（\"）の使い方が正しくありません（%1）")
                .arg(QString::fromLatin1(csv_strerror(csv_error(&parser)))));
        csv_free(&parser);
        return false;
    }
    csv_free(&parser);
    collector.rows.Squeeze();
    rows = std::move(collector.rows);
    return true;
}
