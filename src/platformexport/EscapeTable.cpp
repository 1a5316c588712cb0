#include "platformexport/EscapeTable.h"

#include <algorithm>
#include <cstring>

EscapeTable::EscapeTable(Replacements replacements, bool dropNonCharacters, LoneSurrogate loneSurrogate)
    : m_dropNonCharacters(dropNonCharacters)
    , m_loneSurrogate(loneSurrogate)
{
    for (const auto& [c, by] : replacements)
        Set(static_cast<unsigned char>(c), by);
}

void EscapeTable::Set(char16_t ascii, const char* by)
{
    m_ascii[ascii] = by;
    if (by)
        m_longest = std::max(m_longest, std::strlen(by));
}

EscapeTable EscapeTable::Then(const EscapeTable& outer) const
{
    EscapeTable composed = *this;
    composed.m_dropNonCharacters = m_dropNonCharacters || outer.m_dropNonCharacters;
    composed.m_composed = std::make_shared<std::array<std::string, 128>>();
    composed.m_afterHtml = nullptr;
    for (std::size_t c = 0; c < m_ascii.size(); ++c) {
        const std::string inner = m_ascii[c] ? std::string(m_ascii[c]) : std::string(1, static_cast<char>(c));
        std::string& by = (*composed.m_composed)[c];
        for (const char piece : inner) {
            const char* const outerBy = outer.m_ascii[static_cast<unsigned char>(piece)];
            by += outerBy ? std::string(outerBy) : std::string(1, piece);
        }
        const bool unchanged = by.size() == 1 && by[0] == static_cast<char>(c);
        composed.Set(static_cast<char16_t>(c), unchanged ? nullptr : by.c_str());
    }
    return composed;
}

const EscapeTable& EscapeTable::None()
{
    static const EscapeTable table = [] {
        EscapeTable none({}, false, LoneSurrogate::Question);
        none.m_afterHtml = &Html();
        return none;
    }();
    return table;
}

const EscapeTable& EscapeTable::Html()
{
    static const EscapeTable table(
        {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}}, false, LoneSurrogate::Question);
    return table;
}

EscapeTable EscapeTable::Xml(bool inAttribute)
{
    EscapeTable xml({{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}}, true, LoneSurrogate::Replacement);
    for (char16_t c = 0; c < 0x20; ++c) {
        if (c != u'\t' && c != u'\n' && c != u'\r')
            xml.Set(c, "");
    }
    if (inAttribute) {
        xml.Set(u'\t', "&#9;");
        xml.Set(u'\n', "&#10;");
        xml.Set(u'\r', "&#13;");
    }
    return xml;
}

const EscapeTable& EscapeTable::XmlText()
{
    static const EscapeTable htmlInXml = Html().Then(Xml(false));
    static const EscapeTable table = [] {
        EscapeTable xml = Xml(false);
        xml.m_afterHtml = &htmlInXml;
        return xml;
    }();
    return table;
}

const EscapeTable& EscapeTable::XmlAttribute()
{
    static const EscapeTable table = Xml(true);
    return table;
}

const EscapeTable& EscapeTable::Gift()
{
    static const EscapeTable gift({{'~', "\\~"}, {'=', "\\="}, {'#', "\\#"}, {'{', "\\{"}, {'}', "\\}"}, {':', "\\:"},
                                      {'\\', "\\\\"}, {'\r', ""}, {'\n', "\\n"}},
        false, LoneSurrogate::Question);
    static const EscapeTable htmlInGift = Html().Then(gift);
    static const EscapeTable table = [] {
        EscapeTable withHtml = gift;
        withHtml.m_afterHtml = &htmlInGift;
        return withHtml;
    }();
    return table;
}

const EscapeTable& EscapeTable::CsvQuoted()
{
    static const EscapeTable table({{'"', "\"\""}}, false, LoneSurrogate::Question);
    return table;
}

const EscapeTable& EscapeTable::JsonInScript()
{
    static const EscapeTable table = [] {
        // Control characters as Qt's JSON writer writes them; "<", ">" and
        // "&" as escapes so that no text ends the script or opens a comment.
        static const std::array<std::string, 0x20> controls = [] {
            std::array<std::string, 0x20> escapes;
            const char* const hex = "0123456789abcdef";
            for (std::size_t c = 0; c < escapes.size(); ++c)
                escapes[c] = std::string("\\u00") + hex[c >> 4] + hex[c & 0xf];
            escapes['\b'] = "\\b";
            escapes['\f'] = "\\f";
            escapes['\n'] = "\\n";
            escapes['\r'] = "\\r";
            escapes['\t'] = "\\t";
            return escapes;
        }();
        EscapeTable json({{'"', "\\\""}, {'\\', "\\\\"}, {'<', "\\u003c"}, {'>', "\\u003e"}, {'&', "\\u0026"}}, false,
            LoneSurrogate::JsonEscape);
        for (std::size_t c = 0; c < controls.size(); ++c)
            json.Set(static_cast<char16_t>(c), controls[c].c_str());
        return json;
    }();
    return table;
}
