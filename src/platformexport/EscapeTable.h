#pragma once

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

// What a document format writes in place of characters of its text: a
// replacement per ASCII character (nothing kept as it is, an empty one
// dropping it), whether the non-characters U+FFFE and U+FFFF are dropped,
// and what stands for half a surrogate pair (which UTF-8 cannot hold).
// Tables are made once and shared; `Utf8Text` writes text through them.
class EscapeTable {
public:
    enum class LoneSurrogate {
        Question,    // "?", as QString::toUtf8 writes it
        Replacement, // U+FFFD, as Qt's encoder writes it
        JsonEscape,  // "\udxxx", as Qt's JSON writer writes it
    };

    // Text kept as it is.
    static const EscapeTable& None();
    // HTML and XML text and attribute values in double quotes: & < > ".
    static const EscapeTable& Html();
    // XML 1.0 character data: & < > " escaped, characters XML does not
    // allow dropped.
    static const EscapeTable& XmlText();
    // As character data, with tab, line feed and carriage return as
    // references so that attribute normalisation keeps them.
    static const EscapeTable& XmlAttribute();
    // GIFT's special characters after a backslash, line breaks as "\n".
    static const EscapeTable& Gift();
    // A CSV cell in double quotes: quotes doubled.
    static const EscapeTable& CsvQuoted();
    // A JSON string's content that can stand in an HTML script element.
    static const EscapeTable& JsonInScript();

    // HTML's escapes and then this table's: for the text of HTML that is
    // itself text of this table's format (HTML inside XML or GIFT). Made
    // for None, XmlText and Gift.
    const EscapeTable& AfterHtml() const { return *m_afterHtml; }

    // The replacement of an ASCII character, null when it is kept.
    const char* For(char16_t ascii) const { return m_ascii[ascii]; }
    bool DropsNonCharacters() const { return m_dropNonCharacters; }
    LoneSurrogate ForLoneSurrogate() const { return m_loneSurrogate; }
    // The most bytes one UTF-16 unit can become.
    std::size_t LongestPerUnit() const { return m_longest; }

private:
    using Replacements = std::initializer_list<std::pair<char, const char*>>;

    EscapeTable() = default;
    EscapeTable(Replacements replacements, bool dropNonCharacters, LoneSurrogate loneSurrogate);
    // This table's escapes, then `outer`'s on what they give.
    EscapeTable Then(const EscapeTable& outer) const;
    void Set(char16_t ascii, const char* by);
    // XML's table for character data or attribute values.
    static EscapeTable Xml(bool inAttribute);

    std::array<const char*, 128> m_ascii{};
    bool m_dropNonCharacters = false;
    LoneSurrogate m_loneSurrogate = LoneSurrogate::Question;
    // Replacements made by composing tables, owned here.
    std::shared_ptr<std::array<std::string, 128>> m_composed;
    std::size_t m_longest = 6; // "\\udxxx"; UTF-8 takes at most 3 per unit

    const EscapeTable* m_afterHtml = nullptr;
};
