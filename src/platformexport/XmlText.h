#pragma once

#include "platformexport/Utf8Text.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <string>
#include <string_view>
#include <vector>

// An XML document written as UTF-8, its bytes taken at the end, laid out
// as Qt's stream writer lays it out (the same declaration, indentation and
// escapes). Qt's writer turns every "<", "=\"" and ">" it writes into a
// string of its own and encodes the whole at the end, which made writing a
// thousand platform questions several times slower than writing their
// bytes; this encodes each piece once into one buffer.
//
// Element and attribute names are ASCII views that must outlive the
// document (string literals): the open elements are kept as these views.
class XmlText {
public:
    // `indent` spaces per level, each element on a line of its own; 0 keeps
    // everything on one line (no space enters a text).
    explicit XmlText(int indent = 0);

    // The default namespace, declared on the next element started.
    void DefaultNamespace(QStringView uri);
    void StartElement(std::string_view name);
    // An element without content, closed by whatever is written next.
    void EmptyElement(std::string_view name);
    // Of the element just started (before any content).
    void Attribute(std::string_view name, QStringView value);
    // A value already UTF-8 (identifiers, numbers, our own texts).
    void Attribute(std::string_view name, std::string_view utf8Value);
    void Characters(QStringView text);
    void TextElement(std::string_view name, QStringView text);
    void TextElement(std::string_view name, std::string_view utf8Text);
    // Content written by the caller straight into the document, escaped
    // there with EscapeTable::XmlText() (rendered HTML, names made of
    // several pieces) rather than made into a string first.
    Utf8Text& RawCharacters();
    void EndElement();
    // Closes the open elements and gives the document's bytes, which stay
    // valid as long as the document.
    std::string_view Finish();
    QByteArray Bytes();

private:
    bool CloseStartTag(bool contentFollows);
    void Indent(std::size_t level);

    Utf8Text m_bytes;
    std::vector<std::string_view> m_open;
    std::string m_namespace;
    bool m_hasNamespace = false;
    int m_indent = 0;
    bool m_inStartTag = false;
    bool m_inEmptyElement = false;
    bool m_lastWasStart = false;
    bool m_wroteContent = false;
};
