#pragma once

#include "automation/Variant.h"
#include "automation/office/TypingFormat.h"

#include <QString>

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <rtl/ustring.hxx>

#include <map>
#include <utility>
#include <vector>

namespace Office {

class OfficeScript;

// Text typed at the insertion point that the office has not been given
// yet: its units (characters, "\r" for a paragraph end, "\v" for a line
// break), the character formatting of its runs, and the properties set on
// its paragraphs. Every office call costs a round trip to the office, so
// typing collects here and Flush hands it over in a few calls: the text in
// one piece between paragraph properties, then one walk from its start
// that formats the runs. An office that runs the program's routines
// (OfficeScript) takes the text in one call and the runs in one call for
// each formatting they have.
//
// Text inserted in pieces takes on the formatting at the insertion point,
// not that of runs typed before it in the batch (they are formatted after
// it is in); so a run's reset (typing after formatting was put back) holds
// from that run to the end.
class TypingBatch {
public:
    using Values = std::vector<std::pair<TypingFormat::Attribute, Automation::Variant>>;

    bool IsEmpty() const { return m_units.isEmpty() && m_paragraphProperties.empty(); }

    // A run of characters (no breaks) with the formatting it takes on.
    void AddText(const QString& run, const Values& values, const std::vector<TypingFormat::Attribute>& resets);
    // "\r" or "\v".
    void AddBreak(QChar mark);
    // The paragraph style's property.
    static const rtl::OUString StyleProperty;

    // A property of the paragraph typed in now.
    void SetParagraphProperty(const rtl::OUString& name, const css::uno::Any& value);

    // Inserts everything at `cursor` (collapsed), which ends after it, and
    // starts a new batch; `script` (may be null) does it inside the office.
    void Flush(const css::uno::Reference<css::text::XText>& text,
        const css::uno::Reference<css::text::XTextCursor>& cursor, OfficeScript* script);
    // Forgets what was typed (the document is going).
    void Discard();

private:
    struct Run {
        int start;
        int end;
        Values values;
    };
    struct ParagraphProperty {
        int at;
        rtl::OUString name;
        css::uno::Any value;
    };

    void ApplyResets(const css::uno::Reference<css::text::XText>& text,
        const css::uno::Reference<css::text::XTextCursor>& end) const;
    void InsertText(const css::uno::Reference<css::text::XText>& text,
        const css::uno::Reference<css::text::XTextCursor>& cursor, OfficeScript* script) const;
    void ApplyRuns(const css::uno::Reference<css::text::XText>& text,
        const css::uno::Reference<css::text::XTextCursor>& end) const;
    void ApplyRunsInOffice(const css::uno::Reference<css::text::XText>& text,
        const css::uno::Reference<css::text::XTextCursor>& end, OfficeScript& script) const;

    QString m_units;
    std::vector<Run> m_runs;
    std::map<TypingFormat::Attribute, int> m_resets; // from where
    std::vector<ParagraphProperty> m_paragraphProperties;
};

} // namespace Office
