#pragma once

#include <com/sun/star/script/provider/XScript.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Sequence.hxx>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Office {

class OfficeSession;

// Routines that run inside the office itself, as a Basic module of the
// office's own (application) library. A walk through a thousand ranges
// costs one call to the office instead of thousands of round trips, each
// of which waits for the other process twice.
//
// The module is put in place the first time it is asked for in an office
// (and replaced when its text here has changed). The office's profile is
// the program's own, so nothing of the teacher's is touched; and routines
// of the office's own library run whatever the macro security setting for
// documents is.
class OfficeScript {
public:
    // The routines in the office that `session` reaches now; nullptr when
    // that office cannot run them (Basic missing or switched off): callers
    // then take the steps one call at a time.
    static std::shared_ptr<OfficeScript> In(OfficeSession* session);

    // Sets `names` (in alphabetical order) to `values` on ranges apart from
    // each other and in order, walking `cursor` forward: `moves` holds, for
    // each range, the steps from the cursor's end to its start, then the
    // steps over it.
    void SetRanges(const css::uno::Reference<css::text::XTextCursor>& cursor, const std::vector<sal_Int32>& moves,
        const css::uno::Sequence<rtl::OUString>& names, const css::uno::Sequence<css::uno::Any>& values);

    // A piece of text to insert and the paragraph style it goes in with
    // (empty: none). With a style an empty text only sets the style.
    struct Part {
        rtl::OUString text;
        rtl::OUString style;
    };
    // Inserts the parts at `cursor` (collapsed) in `text`, in order; the
    // cursor ends after them.
    void InsertParts(const css::uno::Reference<css::text::XText>& text,
        const css::uno::Reference<css::text::XTextCursor>& cursor, const std::vector<Part>& parts);

private:
    // Runs the routine `name` of the module; what went wrong in it is raised
    // as a RuntimeException.
    void Run(const char* name, const std::vector<css::uno::Any>& arguments);

    explicit OfficeScript(css::uno::Reference<css::uno::XInterface> provider);

    css::uno::Reference<css::uno::XInterface> m_provider;
    std::map<std::string, css::uno::Reference<css::script::provider::XScript>> m_scripts;
};

} // namespace Office
