#include "platformexport/XmlText.h"

#include <QStringEncoder>

namespace {

// Text as UTF-8 at the end of `out`: ASCII copied directly (element names,
// most attributes), the rest by Qt's encoder.
void AppendUtf8(std::string& out, QStringView text)
{
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(text.size()));
    char* const ascii = out.data() + start;
    qsizetype i = 0;
    for (; i < text.size() && text[i].unicode() < 0x80; ++i)
        ascii[i] = static_cast<char>(text[i].unicode());
    if (i == text.size())
        return;
    static thread_local QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    const QStringView rest = text.mid(i);
    out.resize(start + static_cast<std::size_t>(i) + static_cast<std::size_t>(encoder.requiredSpace(rest.size())));
    char* const end = encoder.appendToBuffer(out.data() + start + i, rest);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

// The replacement XML needs for a character, null for none; characters
// XML 1.0 does not allow are replaced by nothing.
const char* Replacement(char16_t c, bool inAttribute)
{
    if (c > u'>' && c < 0xfffe)
        return nullptr;
    switch (c) {
    case u'<': return "&lt;";
    case u'>': return "&gt;";
    case u'&': return "&amp;";
    case u'"': return "&quot;";
    case u'\t': return inAttribute ? "&#9;" : nullptr;
    case u'\n': return inAttribute ? "&#10;" : nullptr;
    case u'\r': return inAttribute ? "&#13;" : nullptr;
    default: return c < 0x20 || c >= 0xfffe ? "" : nullptr;
    }
}

} // namespace

XmlText::XmlText(int indent)
    : m_indent(indent)
{
    // Most documents are a sub-question of a kilobyte or two: room for one
    // saves growing the buffer step by step.
    m_bytes.reserve(4096);
    m_bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
}

void XmlText::DefaultNamespace(QStringView uri)
{
    m_namespace.clear();
    AppendUtf8(m_namespace, uri);
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
    m_bytes.append(level * static_cast<std::size_t>(m_indent), ' ');
}

void XmlText::StartElement(QStringView name)
{
    if (!CloseStartTag(false))
        Indent(m_open.size());
    std::string& open = m_open.emplace_back();
    AppendUtf8(open, name);
    m_bytes += '<';
    m_bytes += open;
    m_inStartTag = m_lastWasStart = true;
    if (m_hasNamespace) {
        m_bytes += " xmlns=\"";
        m_bytes += m_namespace;
        m_bytes += '"';
        m_hasNamespace = false;
    }
}

void XmlText::EmptyElement(QStringView name)
{
    StartElement(name);
    m_inEmptyElement = true;
}

void XmlText::Attribute(QStringView name, QStringView value)
{
    m_bytes += ' ';
    AppendUtf8(m_bytes, name);
    m_bytes += "=\"";
    Escaped(value, true);
    m_bytes += '"';
}

void XmlText::Characters(QStringView text)
{
    CloseStartTag(true);
    Escaped(text, false);
}

void XmlText::TextElement(QStringView name, QStringView text)
{
    StartElement(name);
    Characters(text);
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

QByteArray XmlText::Bytes()
{
    while (!m_open.empty())
        EndElement();
    m_bytes += '\n';
    return QByteArray(m_bytes.data(), static_cast<qsizetype>(m_bytes.size()));
}

// The markup characters as references; in attributes the white space too,
// so that it survives attribute normalisation. The runs between them are
// encoded whole.
void XmlText::Escaped(QStringView text, bool inAttribute)
{
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char* const by = Replacement(text[i].unicode(), inAttribute);
        if (!by)
            continue;
        AppendUtf8(m_bytes, text.mid(plain, i - plain));
        m_bytes += by;
        plain = i + 1;
    }
    AppendUtf8(m_bytes, text.mid(plain));
}
