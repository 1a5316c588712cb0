#include "platformexport/XmlText.h"

XmlText::XmlText(int indent)
    : m_text(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"))
    , m_indent(indent)
{
}

void XmlText::DefaultNamespace(QStringView uri)
{
    m_namespace = uri.toString();
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
        m_text += QLatin1String("/>");
        m_open.pop_back();
        m_lastWasStart = false;
    } else {
        m_text += u'>';
    }
    m_inStartTag = m_inEmptyElement = false;
    return hadContent;
}

void XmlText::Indent(std::size_t level)
{
    if (m_indent <= 0)
        return;
    m_text += u'\n';
    m_text.resize(m_text.size() + static_cast<qsizetype>(level) * m_indent, u' ');
}

void XmlText::StartElement(const QString& name)
{
    if (!CloseStartTag(false))
        Indent(m_open.size());
    m_open.push_back(name);
    m_text += u'<';
    m_text += name;
    m_inStartTag = m_lastWasStart = true;
    if (!m_namespace.isNull()) {
        m_text += QLatin1String(" xmlns=\"");
        m_text += m_namespace;
        m_text += u'"';
        m_namespace = QString();
    }
}

void XmlText::EmptyElement(const QString& name)
{
    StartElement(name);
    m_inEmptyElement = true;
}

void XmlText::Attribute(QStringView name, QStringView value)
{
    m_text += u' ';
    m_text += name;
    m_text += QLatin1String("=\"");
    Escaped(value, true);
    m_text += u'"';
}

void XmlText::Characters(QStringView text)
{
    CloseStartTag(true);
    Escaped(text, false);
}

void XmlText::TextElement(const QString& name, QStringView text)
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
        m_text += QLatin1String("/>");
        m_lastWasStart = m_inStartTag = false;
        m_open.pop_back();
        return;
    }
    if (!CloseStartTag(false) && !m_lastWasStart)
        Indent(m_open.size() - 1);
    if (m_open.empty())
        return;
    m_lastWasStart = false;
    m_text += QLatin1String("</");
    m_text += m_open.back();
    m_text += u'>';
    m_open.pop_back();
}

QByteArray XmlText::Bytes()
{
    while (!m_open.empty())
        EndElement();
    m_text += u'\n';
    return m_text.toUtf8();
}

// The markup characters as references; in attributes the white space too,
// so that it survives attribute normalisation. Characters XML 1.0 does not
// allow are left out.
void XmlText::Escaped(QStringView text, bool inAttribute)
{
    qsizetype plain = 0; // start of the run not yet appended
    const auto replace = [&](qsizetype at, QLatin1String by) {
        m_text += text.mid(plain, at - plain);
        m_text += by;
        plain = at + 1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c > u'>' && c < 0xfffe)
            continue;
        switch (c) {
        case u'<': replace(i, QLatin1String("&lt;")); break;
        case u'>': replace(i, QLatin1String("&gt;")); break;
        case u'&': replace(i, QLatin1String("&amp;")); break;
        case u'"': replace(i, QLatin1String("&quot;")); break;
        case u'\t': replace(i, inAttribute ? QLatin1String("&#9;") : QLatin1String("\t")); break;
        case u'\n': replace(i, inAttribute ? QLatin1String("&#10;") : QLatin1String("\n")); break;
        case u'\r': replace(i, inAttribute ? QLatin1String("&#13;") : QLatin1String("\r")); break;
        default:
            if (c < 0x20 || c >= 0xfffe)
                replace(i, QLatin1String(""));
        }
    }
    m_text += text.mid(plain);
}
