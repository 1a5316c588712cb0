#pragma once

#include "automation/Variant.h"
#include "automation/office/TypingFormat.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XMultiPropertyStates.hpp>
#include <com/sun/star/text/XTextCursor.hpp>

namespace Office {

// Word's character attributes in Writer's terms: underline (WdUnderline)
// as CharUnderline, subscript as a lowered, smaller escapement, and the
// face name as the Asian face (the external characters are Japanese) and,
// when written, the Western face too.
class CharacterFormat {
public:
    // The attribute's value at `cursor`, in Word's terms.
    static Automation::Variant Read(
        const css::uno::Reference<css::text::XTextCursor>& cursor, TypingFormat::Attribute attribute);
    // The office's property names (in alphabetical order) and values for Word's values.
    static std::pair<css::uno::Sequence<rtl::OUString>, css::uno::Sequence<css::uno::Any>> Properties(
        const std::vector<std::pair<TypingFormat::Attribute, Automation::Variant>>& values);
    // Gives the text the values, in one office call.
    static void Set(const css::uno::Reference<css::beans::XMultiPropertySet>& text,
        const std::vector<std::pair<TypingFormat::Attribute, Automation::Variant>>& values);
    // Takes the direct formatting of the attributes away from
    // the text, in one office call.
    static void Reset(const css::uno::Reference<css::beans::XMultiPropertyStates>& text,
        const std::vector<TypingFormat::Attribute>& attributes);

    static sal_Int16 ToFontUnderline(int wordUnderline);
    static int ToWordUnderline(sal_Int16 fontUnderline);
};

} // namespace Office
