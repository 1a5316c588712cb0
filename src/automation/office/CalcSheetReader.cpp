#include "automation/office/CalcSheetReader.h"
#include "automation/office/UnoProperty.h"

#include "automation/AutomationError.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/UnoCall.h"
#include "automation/office/UnoStrings.h"

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

#include <cmath>

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

CalcSheetReader::CalcSheetReader(std::shared_ptr<OfficeSession> session)
    : m_session(std::move(session))
{
}

bool CalcSheetReader::Read(const QString& path, Sheet& sheet, QString& error)
{
    sheet = Sheet();
    sheet.file = path;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        error = QStringLiteral("ファイルを開けません");
        return false;
    }
    sheet.encoding = file.suffix().toUpper();
    std::vector<SheetRow> rows;
    try {
        const uno::Reference<css::frame::XDesktop2> desktop = m_session->Desktop(Iid);
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
            const uno::Reference<css::sheet::XCellRangeData> data(
                first->getCellRangeByPosition(0, 0, end.EndColumn, end.EndRow), uno::UNO_QUERY_THROW);
            const uno::Sequence<uno::Sequence<uno::Any>> cells = data->getDataArray();
            for (sal_Int32 r = 0; r < cells.getLength(); ++r) {
                SheetRow row;
                row.row = r + 1;
                for (const uno::Any& cell : cells[r])
                    row.cells.append(CellText(cell));
                while (!row.cells.isEmpty() && row.cells.last().trimmed().isEmpty())
                    row.cells.removeLast();
                if (!row.cells.isEmpty())
                    rows.push_back(std::move(row));
            }
        });
    } catch (const Automation::AutomationError& failure) {
        error = QStringLiteral("表計算のファイルとして読めません（%1）").arg(failure.Message());
        return false;
    }
    if (rows.empty()) {
        error = QStringLiteral("空のファイルです（見出し行がありません）");
        return false;
    }
    sheet.header = std::move(rows.front());
    rows.erase(rows.begin());
    sheet.rows = std::move(rows);
    return true;
}

} // namespace Office
