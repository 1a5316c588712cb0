#include "automation/office/WriterParagraphFormat.h"

#include "automation/office/UnoCall.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterDocument.h"

#include <com/sun/star/beans/XPropertySet.hpp>

using namespace css;

namespace Office {

WriterParagraphFormat::WriterParagraphFormat(std::shared_ptr<WriterDocument> document)
    : m_document(std::move(document))
{
}

Automation::Variant WriterParagraphFormat::GetStyle()
{
    m_document->EnsureOpen(Iid);
    return UnoCall(m_document->Session(), Iid, [&] {
        OUString name;
        uno::Reference<beans::XPropertySet>(m_document->SelectionCursor(), uno::UNO_QUERY_THROW)
            ->getPropertyValue(TypingBatch::StyleProperty)
            >>= name;
        return Automation::Variant(ToQString(name));
    });
}

// A style the document is known to have goes with the typing, to the
// office in one with it; any other is set at once, so that a missing one
// is reported here.
void WriterParagraphFormat::PutStyle(const Automation::Variant& style)
{
    m_document->CheckOpen(Iid);
    if (style.GetType() != Automation::Variant::Type::String || style.ToString().isEmpty())
        throw Automation::AutomationError(Automation::AutomationError::InvalidArgument, QString::fromLatin1(Iid),
            QStringLiteral("a paragraph style is given by its name"));
    const QString name = style.ToString();
    try {
        UnoCall(m_document->Session(), Iid, [&] {
            const uno::Any value(ToOUString(name));
            if (m_document->HasParagraphStyle(name))
                m_document->Batch().SetParagraphProperty(TypingBatch::StyleProperty, value);
            else
                uno::Reference<beans::XPropertySet>(m_document->SelectionCursor(), uno::UNO_QUERY_THROW)
                    ->setPropertyValue(TypingBatch::StyleProperty, value);
            m_document->Typing().StyleChanged(name);
        });
    } catch (const Automation::AutomationError& e) {
        if (e.Code() == Automation::AutomationError::Disconnected)
            throw;
        // Writer names no style in its message; the template lacks it.
        throw Automation::AutomationError(
            e.Code(), e.InterfaceId(), QStringLiteral("the document has no paragraph style \"%1\"").arg(name))
            .WithFault(Automation::AutomationError::DocumentFault::MissingParagraphStyle, name);
    }
}

} // namespace Office
