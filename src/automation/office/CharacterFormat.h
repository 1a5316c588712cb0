#pragma once

#include "automation/Variant.h"
#include "automation/office/TypingFormat.h"

#include <com/sun/star/text/XTextCursor.hpp>

namespace Office {

// Word's character attributes in Writer's terms: underline (WdUnderline)
// as CharUnderline, subscript as a lowered, smaller escapement, and the
// face name as the Asian face (the external characters are Japanese) and,
// when written, the Western face too.
class CharacterFormat {
public:
    // The attribute's value at `cursor`, in Word's terms.
    static Automation::Variant Read(const css::uno::Reference<css::text::XTextCursor>& cursor,
                                    TypingFormat::Attribute attribute);
    // Gives the text of `cursor` the pending values of `typing` and takes
    // away the direct formatting that `typing` resets.
    static void Apply(const css::uno::Reference<css::text::XTextCursor>& cursor, const TypingFormat& typing);

    static sal_Int16 ToFontUnderline(int wordUnderline);
    static int ToWordUnderline(sal_Int16 fontUnderline);
};

} // namespace Office
