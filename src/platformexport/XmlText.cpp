#include "platformexport/XmlText.h"

#include "platformexport/EscapeTable.h"

XmlText::XmlText(int indent, std::size_t reserve)
    : m_indent(indent)
{
    m_bytes.Reserve(reserve);
    Restart();
}

XmlText XmlText::Fragment(int indent, std::size_t depth, std::size_t reserve)
{
    XmlText fragment(indent, reserve);
    fragment.m_bytes.Clear();
    fragment.m_open.assign(depth, std::string_view());
    return fragment;
}

void XmlText::AppendElements(XmlText&& fragment)
{
    // Whatever follows an element: a pending start tag closed, then the
    // elements, each on a line of its own as the fragment wrote them.
    if (fragment.m_bytes.Size() == 0)
        return;
    CloseStartTag(false);
    if (m_bytes.Size() > 0)
        m_pieces.push_back(m_bytes.Take());
    for (QByteArray& piece : fragment.m_pieces)
        m_pieces.push_back(std::move(piece));
    m_pieces.push_back(fragment.m_bytes.Take());
    m_lastWasStart = m_wroteContent = false;
}

void XmlText::Restart()
{
    m_pieces.clear();
    m_bytes.Clear();
    m_bytes += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    m_open.clear();
    m_namespace = {};
    m_hasNamespace = m_inStartTag = m_inEmptyElement = m_lastWasStart = m_wroteContent = false;
}

void XmlText::DefaultNamespace(std::string_view uri)
{
    m_namespace = uri;
    m_hasNamespace = true;
}

// Ends a pending start tag ("/>" for an empty element); says whether
// content (characters) came last before this.
bool XmlText::CloseStartTag(bool contentFollows)
{
    const bool hadContent = m_wroteContent;
    m_wroteContent = contentFollows;
    if (!m_inStartTag)
        return hadContent;
    if (m_inEmptyElement) {
        m_bytes += "/>";
        m_open.pop_back();
        m_lastWasStart = false;
    } else {
        m_bytes += '>';
    }
    m_inStartTag = m_inEmptyElement = false;
    return hadContent;
}

void XmlText::Indent(std::size_t level)
{
    if (m_indent <= 0)
        return;
    m_bytes += '\n';
    m_bytes.AppendFill(level * static_cast<std::size_t>(m_indent), ' ');
}

void XmlText::StartElement(std::string_view name)
{
    if (!CloseStartTag(false))
        Indent(m_open.size());
    m_open.push_back(name);
    m_bytes += '<';
    m_bytes += name;
    m_inStartTag = m_lastWasStart = true;
    if (m_hasNamespace) {
        m_bytes += " xmlns=\"";
        m_bytes += m_namespace;
        m_bytes += '"';
        m_hasNamespace = false;
    }
}

void XmlText::EmptyElement(std::string_view name)
{
    StartElement(name);
    m_inEmptyElement = true;
}

void XmlText::StartAttribute(std::string_view name)
{
    m_bytes += ' ';
    m_bytes += name;
    m_bytes += "=\"";
}

const EscapeTable& XmlText::AttributeEscapes()
{
    return EscapeTable::XmlAttribute();
}

void XmlText::Attribute(std::string_view name, QStringView value)
{
    StartAttribute(name);
    m_bytes.Append(value, EscapeTable::XmlAttribute());
    m_bytes += '"';
}

void XmlText::Attribute(std::string_view name, XmlFixed value)
{
    StartAttribute(name);
    m_bytes += value.Text();
    m_bytes += '"';
}

void XmlText::AttributeUtf8(std::string_view name, std::string_view value)
{
    StartAttribute(name);
    m_bytes.Append(value, EscapeTable::XmlAttribute());
    m_bytes += '"';
}

void XmlText::Characters(QStringView text)
{
    CloseStartTag(true);
    m_bytes.Append(text, EscapeTable::XmlText());
}

Utf8Text& XmlText::RawCharacters()
{
    CloseStartTag(true);
    return m_bytes;
}

void XmlText::TextElement(std::string_view name, QStringView text)
{
    StartElement(name);
    Characters(text);
    EndElement();
}

void XmlText::TextElement(std::string_view name, XmlFixed text)
{
    StartElement(name);
    RawCharacters() += text.Text();
    EndElement();
}

void XmlText::EndElement()
{
    if (m_open.empty())
        return;
    if (m_inStartTag && !m_inEmptyElement) {
        // Nothing inside: closed as an empty element.
        m_bytes += "/>";
        m_lastWasStart = m_inStartTag = false;
        m_open.pop_back();
        return;
    }
    if (!CloseStartTag(false) && !m_lastWasStart)
        Indent(m_open.size() - 1);
    if (m_open.empty())
        return;
    m_lastWasStart = false;
    m_bytes += "</";
    m_bytes += m_open.back();
    m_bytes += '>';
    m_open.pop_back();
}

std::string_view XmlText::Finish()
{
    while (!m_open.empty())
        EndElement();
    m_bytes += '\n';
    return m_bytes.View();
}

ExportBytes XmlText::Pieces()
{
    Finish();
    ExportBytes pieces;
    for (QByteArray& piece : m_pieces)
        pieces.Add(std::move(piece));
    pieces.Add(m_bytes.Take());
    m_pieces.clear();
    return pieces;
}

QByteArray XmlText::Bytes()
{
    return Pieces().Joined();
}
