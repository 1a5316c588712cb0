#pragma once

#include <QString>

#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/uno/Any.hxx>

#include <map>
#include <optional>
#include <vector>

namespace Office {

// Ichitaro's input attributes: the underline, font and character size
// that text typed next at the insertion point takes on. Without any, typed
// text continues the formatting of the text before it (as Writer does).
// An attribute may also be "back to normal", which takes the direct
// formatting away from the next typed text so that it does not continue
// an underline or a small size. Moving the insertion point forgets them.
class TaroInputFormat {
public:
    void SetUnderline(bool on);
    void SetFont(const QString& face);
    // Points; 0 is the standard size of the paragraph's style.
    void SetSize(int points);

    // The insertion point moved: the text there decides.
    void Moved();
    // A new paragraph or line began: what is set applies to it too.
    void LineBegun() { m_applied = false; }

    // Whether the next typed run must be given the attributes.
    bool NeedsApplying() const { return !m_applied && !m_values.empty(); }
    // Gives `run` (the text just typed) the attributes.
    void ApplyTo(const css::uno::Reference<css::text::XTextCursor>& run);
    // Continues with the attributes of the character `removed` is about to
    // remove (after a backspace, typing goes on in its formatting).
    void TakeOver(const css::uno::Reference<css::text::XTextCursor>& removed);

    // The font set for typing, if any.
    std::optional<QString> Font() const;

    // The attributes as the office's routines take them: for each of
    // Names(), 0 (not set), 1 (`values` holds it) or 2 (back to normal);
    // and whether they were given to the text typed last.
    static const std::vector<rtl::OUString>& Names();
    void Export(std::vector<sal_Int16>& kinds, std::vector<css::uno::Any>& values, bool& applied) const;
    void Import(const std::vector<sal_Int16>& kinds, const std::vector<css::uno::Any>& values, bool applied);

private:
    void Set(const char* property, std::optional<css::uno::Any> value);

    // By property name; no value: back to normal.
    std::map<rtl::OUString, std::optional<css::uno::Any>> m_values;
    bool m_applied = false;
};

} // namespace Office
