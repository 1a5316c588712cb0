#include "automation/office/CalcSheetReader.h"
#include "automation/office/UnoProperty.h"

#include "automation/AutomationError.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/UnoCall.h"
#include "automation/office/UnoStrings.h"

#include "automation/SheetLimits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <algorithm>
#include <cmath>
#include <mutex>

#include <unistd.h>

namespace Office {

namespace {

namespace uno = css::uno;
const char* const Iid = "Calc.Sheet";

// A cell's value as the teacher typed it: texts as they are, whole numbers
// without a decimal point.
QString CellText(const uno::Any& value)
{
    OUString text;
    if (value >>= text)
        return ToQString(text);
    double number = 0;
    if (value >>= number) {
        if (std::isfinite(number) && number == std::floor(number) && std::fabs(number) < 2147483648.0)
            return QString::number(static_cast<long long>(number));
        return QString::number(number, 'g', 15);
    }
    return QString();
}

// The rows taken from the office in one call.
constexpr sal_Int32 RowsPerBlock = 10000;

// The bound a sheet whose cells end at `end` goes past; empty for none.
QString UsedAreaBound(const css::table::CellRangeAddress& end)
{
    if (end.EndColumn + 1 > SheetLimits::MaxColumns)
        return SheetLimits::TooManyColumns();
    // The header and MaxRows rows below it.
    if (end.EndRow + 1 > SheetLimits::MaxRows + 1)
        return SheetLimits::TooManyRows();
    return QString();
}

// Ends the session's office however the reading ends.
struct EndOffice {
    OfficeSession& session;
    ~EndOffice() { session.Terminate(); }
};

// Closes the document however the reading ends.
class OpenDocument {
public:
    explicit OpenDocument(uno::Reference<css::lang::XComponent> component)
        : m_component(std::move(component))
    {
    }
    ~OpenDocument()
    {
        try {
            if (const uno::Reference<css::util::XCloseable> closeable{m_component, uno::UNO_QUERY}; closeable.is())
                closeable->close(true);
            else if (m_component.is())
                m_component->dispose();
        } catch (...) {
        }
    }
    const uno::Reference<css::lang::XComponent>& Get() const { return m_component; }

private:
    uno::Reference<css::lang::XComponent> m_component;
};

} // namespace

OfficeSession::Options CalcSheetReader::SessionOptions()
{
    OfficeSession::Options options = OfficeSession::DefaultOptions();
    options.headless = true;
    options.profileDir = QDir::tempPath()
        + QStringLiteral("/tavisko-sheets-%1-%2").arg(::getuid()).arg(QCoreApplication::applicationPid());
    options.disposableProfile = true;
    options.memoryLimit = MemoryLimit;
    return options;
}

CalcSheetReader::CalcSheetReader(std::shared_ptr<OfficeSession> session)
    : m_session(std::move(session))
{
}

bool CalcSheetReader::OfficeRanOutOfMemory()
{
    const qint64 limit = m_session->GetOptions().memoryLimit;
    if (limit <= 0)
        return false;
    // An allocation that fails near the limit leaves the peak below it by
    // as much as it asked for; an office that died mid-load died of it.
    const bool ranOut = m_session->PeakMemory() >= limit / 4 * 3 || !m_session->IsAlive();
    if (ranOut)
        m_session->Terminate();
    return ranOut;
}

bool CalcSheetReader::Read(const QString& path, Sheet& sheet, QString& error)
{
    // One reading at a time (the import window reads on threads of its
    // own), each in an office started for it and ended after it: no office
    // is left holding a large sheet's memory, or running after a program
    // that ended without ending it.
    const std::lock_guard lock(m_reading);
    const EndOffice end{*m_session};
    sheet = Sheet();
    sheet.file = path;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        error = QStringLiteral("ファイルを開けません");
        return false;
    }
    sheet.encoding = file.suffix().toUpper();
    SheetRows rows;
    QString bound;
    uno::Reference<css::frame::XDesktop2> desktop;
    try {
        desktop = m_session->Desktop(Iid);
    } catch (const Automation::AutomationError& failure) {
        error = QStringLiteral("表計算のファイルを読むオフィスを始められません（%1）").arg(failure.Message());
        return false;
    }
    try {
        UnoCall(m_session.get(), Iid, [&] {
            uno::Sequence<css::beans::PropertyValue> args(3);
            args[0] = Property("Hidden", uno::Any(true));
            args[1] = Property("ReadOnly", uno::Any(true));
            args[2] = Property("MacroExecutionMode", uno::Any(css::document::MacroExecMode::NEVER_EXECUTE));
            const QString url = QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded);
            const OpenDocument document(desktop->loadComponentFromURL(ToOUString(url), OUString("_blank"), 0, args));
            const uno::Reference<css::sheet::XSpreadsheetDocument> spreadsheet(document.Get(), uno::UNO_QUERY);
            if (!spreadsheet.is())
                throw Automation::AutomationError(
                    Automation::AutomationError::Fail, QString::fromLatin1(Iid), QStringLiteral("not a spreadsheet"));
            const uno::Reference<css::container::XIndexAccess> sheets(spreadsheet->getSheets(), uno::UNO_QUERY_THROW);
            if (sheets->getCount() == 0)
                return;
            const uno::Reference<css::sheet::XSpreadsheet> first(sheets->getByIndex(0), uno::UNO_QUERY_THROW);
            const uno::Reference<css::sheet::XSheetCellCursor> cursor = first->createCursor();
            const uno::Reference<css::sheet::XUsedAreaCursor> used(cursor, uno::UNO_QUERY_THROW);
            used->gotoEndOfUsedArea(false);
            const css::table::CellRangeAddress end
                = uno::Reference<css::sheet::XCellRangeAddressable>(cursor, uno::UNO_QUERY_THROW)->getRangeAddress();
            bound = UsedAreaBound(end);
            // A block of rows at a time, so that neither the office nor this
            // process holds the whole sheet twice over.
            for (sal_Int32 top = 0; bound.isEmpty() && top <= end.EndRow; top += RowsPerBlock) {
                const uno::Reference<css::sheet::XCellRangeData> data(
                    first->getCellRangeByPosition(0, top, end.EndColumn, std::min(end.EndRow, top + RowsPerBlock - 1)),
                    uno::UNO_QUERY_THROW);
                const uno::Sequence<uno::Sequence<uno::Any>> cells = data->getDataArray();
                for (sal_Int32 r = 0; bound.isEmpty() && r < cells.getLength(); ++r) {
                    SheetRow row;
                    row.row = top + r + 1;
                    for (const uno::Any& cell : cells[r]) {
                        row.cells.append(CellText(cell));
                        if (row.cells.last().size() > SheetLimits::MaxCellLength)
                            bound = SheetLimits::CellTooLong();
                    }
                    while (!row.cells.isEmpty() && row.cells.last().trimmed().isEmpty())
                        row.cells.removeLast();
                    if (!row.cells.isEmpty())
                        rows.push_back(row);
                }
            }
        });
    } catch (const Automation::AutomationError& failure) {
        error = OfficeRanOutOfMemory()
            ? QStringLiteral("表が大きすぎて読めません（表計算のファイルを読むのに使えるメモリは %1 MB まで）")
                  .arg(m_session->GetOptions().memoryLimit / (1024 * 1024))
            : QStringLiteral("表計算のファイルとして読めません（%1）").arg(failure.Message());
        return false;
    }
    if (!bound.isEmpty()) {
        error = bound;
        return false;
    }
    if (rows.empty()) {
        error = QStringLiteral("空のファイルです（見出し行がありません）");
        return false;
    }
    sheet.header = rows.front().Whole();
    rows.RemoveFirst();
    rows.Squeeze();
    sheet.rows = std::move(rows);
    return true;
}

} // namespace Office
