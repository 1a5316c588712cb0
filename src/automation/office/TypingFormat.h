#pragma once

#include "automation/Variant.h"

#include <functional>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace Office {

// The character formatting that text typed next at the selection takes on
// (what Word's Selection.Font is at an insertion point). A value put here
// is given to every run typed until it is put back; putting back the value
// the text had by itself (its paragraph style's) removes the direct
// formatting from the next run instead, so that text typed after an
// underlined or external-character run does not inherit that formatting.
//
// The text's own values are read once per paragraph style and kept for the
// document: text typed in a paragraph of a style it has met before needs no
// read, so typing can go on without asking the office.
class TypingFormat {
public:
    enum class Attribute { Underline, Subscript, FaceName };

    // Reads the formatting in force at the insertion point.
    using Reader = std::function<Automation::Variant(Attribute)>;

    Automation::Variant Get(Attribute attribute, const Reader& read);
    void Put(Attribute attribute, const Automation::Variant& value, const Reader& read);

    bool HasPending() const { return !m_pending.empty(); }
    // The values to give the next typed run.
    std::vector<std::pair<Attribute, Automation::Variant>> ValuesToApply() const;
    // The attributes whose direct formatting the next typed run loses.
    std::vector<Attribute> AttributesToReset() const;

    // A run was typed with the pending formatting: resets are done.
    void Typed();
    // The insertion point moved elsewhere: the formatting there applies.
    void Moved();
    // The paragraph style changed to `style`: the text's own formatting is
    // the one read before in that style, or unknown.
    void StyleChanged(const QString& style);

private:
    Automation::Variant Natural(Attribute attribute, const Reader& read);

    std::map<Attribute, std::optional<Automation::Variant>> m_pending; // nullopt: reset
    std::map<Attribute, Automation::Variant> m_natural;
    std::optional<QString> m_style; // of the paragraph typed in, when known
    std::map<QString, std::map<Attribute, Automation::Variant>> m_naturalByStyle;
};

} // namespace Office
