#include "bookimport/SpreadsheetBounds.h"

#include "automation/SheetLimits.h"
#include "model/ZipEntryDevice.h"

#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>
#include <optional>

namespace {

const QString kTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");

// The worksheet's own elements, in the usual and in the strict namespace.
bool IsSheetElement(const QXmlStreamReader& xml)
{
    return xml.namespaceUri() == u"http://schemas.openxmlformats.org/spreadsheetml/2006/main"
        || xml.namespaceUri() == u"http://purl.oclc.org/ooxml/spreadsheetml/main";
}

// Counts and places are kept well below overflow: anything past this is
// past every bound anyway.
constexpr qint64 kHuge = qint64(1) << 40;

qint64 Capped(qint64 value)
{
    return std::min(value, kHuge);
}

// The bound a sheet goes past; empty while it goes past none.
using Bound = QString;

// ODS: a row or cell repeated `number-…-repeated` times (at least once).
qint64 Repeat(const QXmlStreamAttributes& attributes, QLatin1String name)
{
    const qint64 count = attributes.value(kTable, name).toLongLong();
    return count > 0 ? Capped(count) : 1;
}

// The length of the text of the ODS element just started (a cell), read to
// its end: its paragraphs' characters, a run of spaces (<text:s text:c=…>)
// as long as it says.
qint64 OdsTextLength(QXmlStreamReader& xml)
{
    qint64 length = 0;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.namespaceUri() == kText && xml.name() == u"s")
                length = Capped(
                    length + std::max<qint64>(1, xml.attributes().value(kText, QLatin1String("c")).toLongLong()));
            else if (xml.namespaceUri() == kText && (xml.name() == u"tab" || xml.name() == u"line-break"))
                ++length;
            break;
        case QXmlStreamReader::EndElement: --depth; break;
        case QXmlStreamReader::Characters:
            // Blanks between the cell's paragraphs are layout, not text.
            if (depth > 1)
                length = Capped(length + xml.text().size());
            break;
        default: break;
        }
    }
    return length;
}

// One ODS row just started, `rowsBefore` rows down its table and repeated
// `rows` times, read to its end.
Bound CheckOdsRow(QXmlStreamReader& xml, qint64 rowsBefore, qint64 rows)
{
    qint64 column = 0;
    bool holdsContent = false;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            --depth;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const bool cell = depth == 1 && xml.namespaceUri() == kTable
            && (xml.name() == u"table-cell" || xml.name() == u"covered-table-cell");
        if (!cell) {
            ++depth;
            continue;
        }
        const qint64 columns = Repeat(xml.attributes(), QLatin1String("number-columns-repeated"));
        const bool typed = xml.attributes().hasAttribute(kOffice, QStringLiteral("value-type"));
        const qint64 length = OdsTextLength(xml);
        if (typed || length > 0) {
            holdsContent = true;
            if (Capped(column + columns) > SheetLimits::MaxColumns)
                return SheetLimits::TooManyColumns();
            if (length > SheetLimits::MaxCellLength)
                return SheetLimits::CellTooLong();
        }
        column = Capped(column + columns);
    }
    // The header and MaxRows rows below it; empty rows only move the rows
    // below them down.
    if (holdsContent && Capped(rowsBefore + rows) > SheetLimits::MaxRows + 1)
        return SheetLimits::TooManyRows();
    return Bound();
}

Bound CheckOdsContent(QXmlStreamReader& xml)
{
    qint64 row = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.namespaceUri() != kTable)
            continue;
        if (xml.name() == u"table") {
            row = 0;
        } else if (xml.name() == u"table-row") {
            const qint64 rows = Repeat(xml.attributes(), QLatin1String("number-rows-repeated"));
            if (Bound bound = CheckOdsRow(xml, row, rows); !bound.isEmpty())
                return bound;
            row = Capped(row + rows);
        }
    }
    return Bound();
}

// An XLSX cell reference ("AB12"): its column and row, from 1; either is 0
// when the reference does not give it.
struct CellPlace {
    qint64 column = 0;
    qint64 row = 0;
};

CellPlace PlaceOf(QStringView reference)
{
    CellPlace place;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i)
        place.column = Capped(place.column * 26 + (reference[i].toUpper().unicode() - u'A' + 1));
    for (; i < reference.size() && reference[i].isDigit(); ++i)
        place.row = Capped(place.row * 10 + (reference[i].unicode() - u'0'));
    return place;
}

Bound CheckPlace(const CellPlace& place)
{
    if (place.column > SheetLimits::MaxColumns)
        return SheetLimits::TooManyColumns();
    if (place.row > SheetLimits::MaxRows + 1)
        return SheetLimits::TooManyRows();
    return Bound();
}

// The XLSX cell just started, read to its end: whether it holds a value
// (or a formula that makes one), and the length of its value or inline text.
struct XlsxCell {
    bool holdsValue = false;
    qint64 length = 0;
};

XlsxCell ReadXlsxCell(QXmlStreamReader& xml)
{
    XlsxCell cell;
    int depth = 1;
    int inValue = 0;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == u"v" || xml.name() == u"t")
                ++inValue;
            cell.holdsValue = cell.holdsValue || xml.name() == u"v" || xml.name() == u"t" || xml.name() == u"f";
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            if (xml.name() == u"v" || xml.name() == u"t")
                --inValue;
            break;
        case QXmlStreamReader::Characters:
            if (inValue > 0)
                cell.length = Capped(cell.length + xml.text().size());
            break;
        default: break;
        }
    }
    return cell;
}

Bound CheckXlsxWorksheet(QXmlStreamReader& xml)
{
    CellPlace place;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || !IsSheetElement(xml))
            continue;
        if (xml.name() == u"dimension") {
            // "A1:D200", or one cell: its last cell is the sheet's extent.
            const QStringView reference = xml.attributes().value(QStringLiteral("ref"));
            const QStringView last = reference.mid(reference.lastIndexOf(u':') + 1);
            if (Bound bound = CheckPlace(PlaceOf(last)); !bound.isEmpty())
                return bound;
        } else if (xml.name() == u"row") {
            const qint64 row = xml.attributes().value(QStringLiteral("r")).toLongLong();
            place = CellPlace{0, row > 0 ? Capped(row) : Capped(place.row + 1)};
        } else if (xml.name() == u"c") {
            const CellPlace given = PlaceOf(xml.attributes().value(QStringLiteral("r")));
            place.column = given.column > 0 ? given.column : Capped(place.column + 1);
            const XlsxCell cell = ReadXlsxCell(xml);
            if (!cell.holdsValue)
                continue;
            if (Bound bound = CheckPlace(place); !bound.isEmpty())
                return bound;
            if (cell.length > SheetLimits::MaxCellLength)
                return SheetLimits::CellTooLong();
        }
    }
    return Bound();
}

// The texts that cells refer to by number: none may be longer than a cell
// may be. The reading guide of Japanese text (<rPh>) is not part of it.
Bound CheckXlsxSharedStrings(QXmlStreamReader& xml)
{
    qint64 length = 0;
    int inGuide = 0;
    int inText = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (xml.name() == u"si")
                length = 0;
            else if (xml.name() == u"rPh")
                ++inGuide;
            else if (xml.name() == u"t")
                ++inText;
            break;
        case QXmlStreamReader::EndElement:
            if (xml.name() == u"rPh")
                --inGuide;
            else if (xml.name() == u"t")
                --inText;
            break;
        case QXmlStreamReader::Characters:
            if (inText > 0 && inGuide == 0) {
                length = Capped(length + xml.text().size());
                if (length > SheetLimits::MaxCellLength)
                    return SheetLimits::CellTooLong();
            }
            break;
        default: break;
        }
    }
    return Bound();
}

// How an entry of the archive is to be read, by its name; none for the
// entries that declare nothing about the sheets' size.
using EntryCheck = Bound (*)(QXmlStreamReader&);

EntryCheck CheckFor(const QString& name)
{
    if (name == QLatin1String("content.xml"))
        return CheckOdsContent;
    if (name == QLatin1String("xl/sharedStrings.xml"))
        return CheckXlsxSharedStrings;
    const QLatin1String worksheets("xl/worksheets/");
    if (name.startsWith(worksheets) && name.endsWith(QLatin1String(".xml"))
        && name.indexOf(u'/', worksheets.size()) < 0)
        return CheckXlsxWorksheet;
    return nullptr;
}

} // namespace

bool SpreadsheetBounds::Check(const QString& path, Problems& problems)
{
    QFile file(path);
    if (file.size() > SheetLimits::MaxFileBytes) {
        problems.Error(0, 0, SheetLimits::FileTooLarge());
        return false;
    }
    const ZipEntryDevice::Archive archive = ZipEntryDevice::OpenArchive(path);
    if (!archive)
        return true;
    const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
    // What every entry inflates to, as the archive's directory says.
    qint64 declared = 0;
    for (zip_int64_t i = 0; i < entries; ++i) {
        zip_stat_t entry;
        zip_stat_init(&entry);
        if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &entry) == 0
            && (entry.valid & ZIP_STAT_SIZE))
            declared = Capped(declared + static_cast<qint64>(std::min<zip_uint64_t>(entry.size, kHuge)));
    }
    if (declared > SheetLimits::MaxFileBytes) {
        problems.Error(0, 0, SheetLimits::FileTooLarge());
        return false;
    }
    // Directory sizes can lie: what is inflated is counted as it comes.
    qint64 left = SheetLimits::MaxFileBytes;
    for (zip_int64_t i = 0; i < entries; ++i) {
        const EntryCheck check
            = CheckFor(QString::fromUtf8(zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0)));
        if (!check)
            continue;
        ZipEntryDevice entry(archive.get(), static_cast<zip_uint64_t>(i), left);
        QXmlStreamReader xml(&entry);
        const Bound bound = check(xml);
        if (!bound.isEmpty()) {
            problems.Error(0, 0, bound);
            return false;
        }
        if (entry.OverLimit()) {
            problems.Error(0, 0, SheetLimits::FileTooLarge());
            return false;
        }
        if (entry.Failed() || xml.hasError()) {
            problems.Error(0, 0,
                QStringLiteral("表計算のファイルとして読めません（%1 が壊れています）")
                    .arg(QString::fromUtf8(zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0))));
            return false;
        }
        left -= entry.Inflated();
    }
    return true;
}
