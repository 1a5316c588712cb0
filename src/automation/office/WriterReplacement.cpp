#include "automation/office/WriterReplacement.h"

#include "automation/office/WriterDocument.h"

namespace Office {

WriterReplacement::WriterReplacement(std::shared_ptr<WriterDocument> document)
    : m_document(std::move(document))
{
}

void WriterReplacement::ClearFormatting()
{
    // Replacement formatting is never set here, so there is none to clear.
    m_document->EnsureOpen(Iid);
}

QString WriterReplacement::GetText()
{
    m_document->EnsureOpen(Iid);
    return m_document->Find().replacementText;
}

void WriterReplacement::PutText(const QString& text)
{
    m_document->EnsureOpen(Iid);
    m_document->Find().replacementText = text;
}

} // namespace Office
