#pragma once

#include "platformexport/ExportBytes.h"
#include "platformexport/Utf8Text.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <string>
#include <string_view>
#include <vector>

// A value of a format's own, written as it is: checked when the program is
// built to hold nothing XML escapes ("false", "text/css", a namespace).
class XmlFixed {
public:
    consteval XmlFixed(const char* text) // NOLINT: converts literals on purpose
        : m_text(text)
    {
        for (const char c : m_text) {
            if (static_cast<unsigned char>(c) < 0x20 || c == '&' || c == '<' || c == '>' || c == '"')
                throw "a fixed XML value holds a character XML escapes";
        }
    }
    std::string_view Text() const { return m_text; }

private:
    std::string_view m_text;
};

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
    // `reserve` bytes are made room for at once.
    explicit XmlText(int indent = 0, std::size_t reserve = 4096);
    // Elements to be joined into a document by AppendElements, written as
    // they would be there inside `depth` open elements: no declaration.
    static XmlText Fragment(int indent, std::size_t depth, std::size_t reserve = 4096);
    // The fragment's elements, as if written here; this document stands
    // where the fragment began (inside as many open elements).
    // The fragment's bytes are taken as they are (not copied) and become a
    // piece of this document's Pieces.
    void AppendElements(XmlText&& fragment);
    // Begins a new document in the same buffer (for many small documents
    // written one after the other).
    void Restart();

    // The default namespace, declared on the next element started (ASCII,
    // kept as a view like the names).
    void DefaultNamespace(std::string_view uri);
    void StartElement(std::string_view name);
    // An element without content, closed by whatever is written next.
    void EmptyElement(std::string_view name);
    // Of the element just started (before any content).
    void Attribute(std::string_view name, QStringView value);
    void Attribute(std::string_view name, XmlFixed value);
    // A value already UTF-8 (identifiers, numbers, our own texts).
    void AttributeUtf8(std::string_view name, std::string_view value);
    // A value written by `write(Utf8Text&, const EscapeTable&)` straight
    // into the document, escaped by it with the table it is given.
    template <typename Writer>
    void AttributeWrittenBy(std::string_view name, Writer write)
    {
        StartAttribute(name);
        write(m_bytes, AttributeEscapes());
        m_bytes += '"';
    }
    void Characters(QStringView text);
    void TextElement(std::string_view name, QStringView text);
    void TextElement(std::string_view name, XmlFixed text);
    // Content written by the caller straight into the document, escaped
    // there with EscapeTable::XmlText() (rendered HTML, names made of
    // several pieces) rather than made into a string first.
    Utf8Text& RawCharacters();
    void EndElement();
    // Closes the open elements and gives the document's bytes, which stay
    // valid as long as the document.
    // (Finish only for a document without appended fragments: it gives the
    // one buffer's bytes.)
    std::string_view Finish();
    ExportBytes Pieces();
    QByteArray Bytes();

private:
    bool CloseStartTag(bool contentFollows);
    void StartAttribute(std::string_view name);
    static const EscapeTable& AttributeEscapes();
    void Indent(std::size_t level);

    std::vector<QByteArray> m_pieces; // finished, before m_bytes
    Utf8Text m_bytes;
    std::vector<std::string_view> m_open;
    std::string_view m_namespace;
    bool m_hasNamespace = false;
    int m_indent = 0;
    bool m_inStartTag = false;
    bool m_inEmptyElement = false;
    bool m_lastWasStart = false;
    bool m_wroteContent = false;
};
