#include "bookimport/HtmlText.h"

#include <QRegularExpression>

#include <libxml/HTMLparser.h>

#include <memory>

namespace {

bool IsNamed(const xmlNode* node, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (xmlStrcasecmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0)
            return true;
    return false;
}

bool IsBlock(const xmlNode* node)
{
    return IsNamed(node,
        {"p", "div", "li", "ul", "ol", "dl", "dt", "dd", "tr", "table", "blockquote", "pre", "h1", "h2", "h3", "h4",
            "h5", "h6", "hr"});
}

void BreakLine(QString& text)
{
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text.append(u'\n');
}

void AppendText(const xmlNode* node, QString& text)
{
    for (const xmlNode* child = node; child; child = child->next) {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
            text.append(QString::fromUtf8(reinterpret_cast<const char*>(child->content)));
        } else if (child->type == XML_ELEMENT_NODE) {
            if (IsNamed(child, {"script", "style", "head", "title"}))
                continue;
            if (IsNamed(child, {"br"})) {
                text.append(u'\n');
                continue;
            }
            const bool block = IsBlock(child);
            if (block)
                BreakLine(text);
            AppendText(child->children, text);
            if (block)
                BreakLine(text);
        }
    }
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Blanks and line breaks at either end, and blanks at the ends of lines,
// are the editor's, not the card's (a browser shows none of them). The
// ideographic space is content.
QString TrimEnds(const QString& text)
{
    QString trimmed;
    trimmed.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u' ' && c != u'\t' && c != u'\r') {
            trimmed.append(c);
            continue;
        }
        // A run of blanks stays only between two characters of one line.
        qsizetype end = i;
        while (end < text.size() && IsBlank(text[end]) && text[end] != u'\n')
            ++end;
        const bool lineStart = trimmed.isEmpty() || trimmed.endsWith(u'\n');
        const bool lineEnd = end == text.size() || text[end] == u'\n';
        if (!lineStart && !lineEnd)
            trimmed.append(text.mid(i, end - i));
        i = end - 1;
    }
    qsizetype begin = 0;
    qsizetype end = trimmed.size();
    while (begin < end && trimmed[begin] == u'\n')
        ++begin;
    while (end > begin && trimmed[end - 1] == u'\n')
        --end;
    return trimmed.mid(begin, end - begin);
}

} // namespace

bool HtmlText::LooksLikeHtml(const QString& text)
{
    static const QRegularExpression kMarkup(
        QStringLiteral("<\\s*/?\\s*[A-Za-z][^>]*>|&(#[0-9]+|#[xX][0-9A-Fa-f]+|[A-Za-z][A-Za-z0-9]*);"));
    return (text.contains(u'<') || text.contains(u'&')) && kMarkup.match(text).hasMatch();
}

QString HtmlText::ToText(const QString& html)
{
    if (!html.contains(u'<') && !html.contains(u'&'))
        return TrimEnds(QString(html).replace(QChar(0xA0), u' '));
    // libxml2 sets up its tables once, before any thread parses.
    [[maybe_unused]] static const bool initialised = (xmlInitParser(), true);
    const QByteArray utf8 = html.toUtf8();
    const std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        htmlReadMemory(utf8.constData(), static_cast<int>(utf8.size()), nullptr, "UTF-8",
            HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET),
        &xmlFreeDoc);
    if (!doc)
        return TrimEnds(html);
    QString text;
    AppendText(xmlDocGetRootElement(doc.get()), text);
    text.replace(QChar(0xA0), u' ');
    return TrimEnds(text);
}
