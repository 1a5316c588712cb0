#include "automation/office/WriterFont.h"

#include "automation/office/CharacterFormat.h"
#include "automation/office/UnoCall.h"
#include "automation/office/WriterDocument.h"

namespace Office {
namespace {

using Attribute = TypingFormat::Attribute;

// The formatting at the insertion point is read (after what was typed is
// given to the office) only when the typing format does not know it.
Automation::Variant GetAttribute(WriterDocument& document, Attribute attribute)
{
    document.CheckOpen(Word::_Font::Iid);
    return UnoCall(document.Session(), Word::_Font::Iid, [&] {
        return document.Typing().Get(
            attribute, [&](Attribute a) { return CharacterFormat::Read(document.SelectionCursor(), a); });
    });
}

void PutAttribute(WriterDocument& document, Attribute attribute, const Automation::Variant& value)
{
    document.CheckOpen(Word::_Font::Iid);
    UnoCall(document.Session(), Word::_Font::Iid, [&] {
        document.Typing().Put(
            attribute, value, [&](Attribute a) { return CharacterFormat::Read(document.SelectionCursor(), a); });
    });
}

} // namespace

WriterFont::WriterFont(std::shared_ptr<WriterDocument> document)
    : m_document(std::move(document))
{
}

int WriterFont::GetUnderline()
{
    return GetAttribute(*m_document, Attribute::Underline).ToInt();
}

void WriterFont::PutUnderline(int underline)
{
    PutAttribute(*m_document, Attribute::Underline, underline);
}

int WriterFont::GetSubscript()
{
    return GetAttribute(*m_document, Attribute::Subscript).ToInt();
}

void WriterFont::PutSubscript(int subscript)
{
    PutAttribute(*m_document, Attribute::Subscript, subscript != 0 ? 1 : 0);
    m_document->SetTypingLowered(subscript != 0);
}

QString WriterFont::GetName()
{
    return GetAttribute(*m_document, Attribute::FaceName).ToString();
}

void WriterFont::PutName(const QString& name)
{
    PutAttribute(*m_document, Attribute::FaceName, name);
}

} // namespace Office
