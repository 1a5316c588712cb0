#include "automation/office/WriterDocuments.h"

#include "automation/office/WriterApplication.h"
#include "automation/office/WriterDocument.h"

namespace Office {

WriterDocuments::WriterDocuments(std::shared_ptr<WriterApplication> application)
    : m_application(std::move(application))
{
}

std::shared_ptr<Word::_Document> WriterDocuments::Add(const Automation::Variant& templatePath,
    const Automation::Variant& /*newTemplate*/, const Automation::Variant& /*documentType*/,
    const Automation::Variant& /*visible*/)
{
    return m_application->AddDocument(templatePath);
}

void WriterDocuments::Close(const Automation::Variant& saveChanges, const Automation::Variant& /*originalFormat*/,
    const Automation::Variant& /*routeDocument*/)
{
    m_application->CloseDocuments(saveChanges);
}

} // namespace Office
