#pragma once

#include "automation/Variant.h"

namespace Word {

// Word's ParagraphFormat object (Selection.ParagraphFormat). Member: Style,
// the paragraph style of the selection's paragraphs by name (a text
// variant). Putting a style the document does not define raises an
// AutomationError.
class _ParagraphFormat : public Automation::Object {
public:
    static constexpr char Iid[] = "{00020953-0000-0000-C000-000000000046}";

    virtual Automation::Variant GetStyle() = 0;
    virtual void PutStyle(const Automation::Variant& style) = 0;
};

} // namespace Word
