#include "automation/office/DocumentExport.h"
#include "automation/office/UnoProperty.h"

#include "automation/AutomationError.h"
#include "automation/WordConstants.h"
#include "automation/office/UnoCall.h"
#include "automation/office/UnoStrings.h"

#include <QFileInfo>
#include <QUrl>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XStorable.hpp>

using namespace css;
using Automation::AutomationError;

namespace Office {
namespace {

// The office's filter for a format name; null when there is none.
const char* FilterFor(const QString& format)
{
    if (format == QLatin1String("pdf"))
        return "writer_pdf_Export";
    if (format == QLatin1String("odt"))
        return "writer8";
    if (format == QLatin1String("docx"))
        return "MS Word 2007 XML";
    if (format == QLatin1String("doc"))
        return "MS Word 97";
    return nullptr;
}

} // namespace

QString FormatOfWordSaveFormat(int saveFormat)
{
    switch (saveFormat) {
    case Word::wdFormatPDF: return QStringLiteral("pdf");
    case Word::wdFormatOpenDocumentText: return QStringLiteral("odt");
    case Word::wdFormatXMLDocument: return QStringLiteral("docx");
    case Word::wdFormatDocument97: return QStringLiteral("doc");
    default: return {};
    }
}

void ExportDocument(OfficeSession* session, const char* iid, const uno::Reference<text::XTextDocument>& model,
    const QString& path, const QString& format)
{
    const char* filter = FilterFor(format);
    if (filter == nullptr)
        throw AutomationError(AutomationError::InvalidArgument, QString::fromLatin1(iid),
            QStringLiteral("the office cannot write the file format \"%1\"").arg(format));
    if (path.isEmpty())
        throw AutomationError(
            AutomationError::InvalidArgument, QString::fromLatin1(iid), QStringLiteral("no file name to save to"));
    const QString url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    UnoCall(session, iid, [&] {
        uno::Sequence<beans::PropertyValue> args(format == QLatin1String("pdf") ? 3 : 2);
        args[0] = Property("FilterName", uno::Any(OUString::createFromAscii(filter)));
        args[1] = Property("Overwrite", uno::Any(true));
        if (format == QLatin1String("pdf")) {
            // Every face the prints use goes into the file, the standard
            // ones too, so the copier shows what the teacher saw.
            uno::Sequence<beans::PropertyValue> pdf(1);
            pdf[0] = Property("EmbedStandardFonts", uno::Any(true));
            args[2] = Property("FilterData", uno::Any(pdf));
        }
        uno::Reference<frame::XStorable>(model, uno::UNO_QUERY_THROW)->storeToURL(ToOUString(url), args);
    });
}

} // namespace Office
