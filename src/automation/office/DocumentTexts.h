#pragma once

#include <QString>

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>

#include <functional>
#include <vector>

namespace Office {

class TextMatcher;

// The texts of a Writer document beside its main text, each once: the
// cells of its tables (nested ones too), its text frames, the headers and
// footers of its page styles (left, right and first pages), and the text
// of its drawing shapes (text boxes). A template may hold its marks in any
// of them.
enum class BesideMain {
    All,
    // Page headers and footers and text boxes only: what the office's own
    // replacement over a document leaves alone.
    OutsideTheBody,
};
std::vector<css::uno::Reference<css::text::XText>> TextsBesideMain(
    const css::uno::Reference<css::text::XTextDocument>& model, BesideMain which = BesideMain::All);

// Replaces every match of `matcher` in those texts, paragraph by paragraph
// (a match never spans two); the number replaced.
int ReplaceBesideMain(const css::uno::Reference<css::text::XTextDocument>& model, const TextMatcher& matcher,
    const QString& replacement, BesideMain which = BesideMain::All);
// The same in texts found before (finding them takes many office calls).
int ReplaceInTexts(const std::vector<css::uno::Reference<css::text::XText>>& texts, const TextMatcher& matcher,
    const QString& replacement);

// Whether a paragraph of those texts holds a match: `matches` is asked
// with the paragraph's text.
bool FoundBesideMain(
    const css::uno::Reference<css::text::XTextDocument>& model, const std::function<bool(const QString&)>& matches);

} // namespace Office
