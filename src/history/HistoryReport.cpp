#include "history/HistoryReport.h"

#include "history/HistoryStore.h"

#include <QIODevice>

namespace {

QString When(const QDateTime& when)
{
    return when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate);
}

// A field of a tab-separated line keeps to one field of one line.
QString ListField(QString text)
{
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}

// A cell beginning with what a spreadsheet takes for the start of a
// formula is shown as text by a leading apostrophe.
QString GuardFormula(const QString& cell)
{
    static const QString starts = QStringLiteral("=+-@\t\r");
    int first = 0;
    while (first < cell.size() && cell[first] == u'\'')
        ++first;
    if (first < cell.size() && starts.contains(cell[first]))
        return u'\'' + cell;
    return cell;
}

bool Written(QIODevice& out, const QByteArray& bytes, QString* error)
{
    if (out.write(bytes) == bytes.size())
        return true;
    if (error)
        *error = out.errorString();
    return false;
}

} // namespace

bool HistoryReport::WriteList(HistoryStore& store, QIODevice& out, QString* error)
{
    QString readError;
    const auto runs = store.Runs(QString(), 0, &readError);
    if (!readError.isEmpty()) {
        if (error)
            *error = readError;
        return false;
    }
    QByteArray bytes;
    for (const HistoryStore::Summary& summary : runs) {
        const RunRecord& run = summary.run;
        const QStringList fields{QString::number(run.id), When(run.when), ListField(run.name), ListField(run.bookTitle),
            QString::number(summary.printCount), QString::number(summary.itemCount), ListField(run.rangeLine)};
        bytes += fields.join(u'\t').toUtf8() + '\n';
    }
    return Written(out, bytes, error);
}

QStringList HistoryReport::CsvHeader()
{
    return {QStringLiteral("実行ID"), QStringLiteral("日時"), QStringLiteral("名前"), QStringLiteral("書籍"),
        QStringLiteral("DBID"), QStringLiteral("プリント"), QStringLiteral("クラス"), QStringLiteral("番号"),
        QStringLiteral("出題形式"), QStringLiteral("文ID"), QStringLiteral("語ID"), QStringLiteral("見出し語")};
}

QByteArray HistoryReport::CsvRecord(const QStringList& cells)
{
    QByteArray record;
    for (int i = 0; i < cells.size(); ++i) {
        if (i > 0)
            record += ',';
        QString cell = GuardFormula(cells[i]);
        cell.replace(u'"', QStringLiteral("\"\""));
        record += '"' + cell.toUtf8() + '"';
    }
    return record + "\r\n";
}

bool HistoryReport::WriteCsv(HistoryStore& store, QIODevice& out, bool bom, QString* error)
{
    QByteArray bytes;
    if (bom)
        bytes += "\xEF\xBB\xBF";
    bytes += CsvRecord(CsvHeader());
    QString readError;
    const bool read = store.ForEachItem(
        [&](const RunRecord& run, int printNo, const QString& className, const RecordedItem& item) {
            bytes += CsvRecord({QString::number(run.id), When(run.when), run.name, run.bookTitle, run.dbid,
                QString::number(printNo), className, QString::number(item.number), item.format,
                QString::number(item.sid), QString::number(item.kid), item.keyword});
        },
        &readError);
    if (!read && !readError.isEmpty()) {
        if (error)
            *error = readError;
        return false;
    }
    return Written(out, bytes, error);
}
