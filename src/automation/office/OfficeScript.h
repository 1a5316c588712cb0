#pragma once

#include <com/sun/star/script/provider/XScript.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Sequence.hxx>

#include <map>
#include <memory>
#include <optional>
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

    // Ichitaro's editing steps (TaroEditor's), taken in the office as the
    // editor takes them one by one.
    enum class Edit : sal_Int16 {
        JumpStart = 1,
        JumpEnd,
        CursorLeft, // number: the steps
        CursorRight,
        EndOfLine,
        StartSelection,
        CancelSelection,
        Insert, // text; number: the steps it takes
        ParagraphBreak,
        LineBreak,
        PageBreak,
        Delete,
        BackSpace,
        ParagraphStyle, // text: the style
        CharacterSize,  // number: points, 0 the style's
        InputUnderline, // number: 1 on, 0 off
        InputFont,      // text: the face
        SearchForeseen, // text: the pattern; number: 1 when a match is foreseen, detail: its text
        Rows,           // number: rows down, or up when negative
    };
    struct EditStep {
        Edit code;
        sal_Int32 number = 0;
        rtl::OUString text;
        rtl::OUString detail;
    };
    // What the steps work on and change: the selection's anchor (null:
    // none) and the typing attributes (TaroInputFormat::Names, in that
    // order), each 0 (none), 1 (`values` holds it) or 2 (back to normal),
    // and whether they were given to the text typed last.
    struct EditState {
        css::uno::Reference<css::text::XTextCursor> anchor;
        std::vector<sal_Int16> kinds;
        std::vector<css::uno::Any> values;
        bool applied = false;
    };
    // Takes the steps at `caret` (collapsed) in the main text, which moves
    // as they say; `state` comes back as they leave it. A search that does
    // not find what was foreseen fails.
    void EditSteps(const css::uno::Reference<css::text::XTextDocument>& model,
        const css::uno::Reference<css::text::XTextCursor>& caret, const std::vector<EditStep>& steps, EditState& state);

    // The 1-based row (paragraph of the main text) of `caret`.
    int RowOf(const css::uno::Reference<css::text::XTextCursor>& caret);

    // The text of each paragraph of `range` in order; a table has none.
    std::vector<std::optional<rtl::OUString>> ParagraphTexts(const css::uno::Reference<css::text::XTextCursor>& range);
    // Sets `names` to `values` on runs within the paragraphs of `range`:
    // `moves` holds, for each paragraph in order, the number of its runs,
    // then for each run the steps to it and over it (from its paragraph's
    // start, then from the run before).
    void SetRunsInParagraphs(const css::uno::Reference<css::text::XText>& text,
        const css::uno::Reference<css::text::XTextCursor>& range, const std::vector<sal_Int32>& moves,
        const css::uno::Sequence<rtl::OUString>& names, const css::uno::Sequence<css::uno::Any>& values);

    // The texts of the next matches of a regular expression after `from`
    // in the main text (at most `most`); `all`: there are no more.
    struct Matches {
        std::vector<rtl::OUString> texts;
        bool all = false;
    };
    Matches FindAfter(const css::uno::Reference<css::text::XTextDocument>& model,
        const css::uno::Reference<css::text::XTextCursor>& from, const rtl::OUString& pattern, sal_Int32 most);

private:
    // Runs the routine `name` of the module `module` and gives back what it
    // gave after the failure text (an empty sequence for a routine that gives
    // back only that); what went wrong in it is raised as a RuntimeException.
    css::uno::Sequence<css::uno::Any> Run(
        const char* name, const std::vector<css::uno::Any>& arguments, const char* module = "Walks");

    explicit OfficeScript(css::uno::Reference<css::uno::XInterface> provider);

    css::uno::Reference<css::uno::XInterface> m_provider;
    std::map<std::string, css::uno::Reference<css::script::provider::XScript>> m_scripts;
};

} // namespace Office
