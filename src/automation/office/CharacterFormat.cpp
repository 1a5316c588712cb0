#include "automation/office/CharacterFormat.h"

#include "automation/WordConstants.h"
#include "automation/office/UnoStrings.h"

#include <com/sun/star/awt/FontUnderline.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XMultiPropertyStates.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>

#include <algorithm>
#include <map>

using namespace css;

namespace Office {
namespace {

// Writer's escapement for subscript: lowered by a third, at 58 % size.
constexpr sal_Int16 kSubscriptEscapement = -33;
constexpr sal_Int8 kSubscriptHeight = 58;

std::vector<OUString> PropertyNames(TypingFormat::Attribute attribute)
{
    switch (attribute) {
    case TypingFormat::Attribute::Underline: return {OUString("CharUnderline")};
    case TypingFormat::Attribute::Subscript: return {OUString("CharEscapement"), OUString("CharEscapementHeight")};
    case TypingFormat::Attribute::FaceName: return {OUString("CharFontName"), OUString("CharFontNameAsian")};
    }
    return {};
}

void AddValues(
    std::map<OUString, uno::Any>& values, TypingFormat::Attribute attribute, const Automation::Variant& value)
{
    switch (attribute) {
    case TypingFormat::Attribute::Underline:
        values[OUString("CharUnderline")] <<= CharacterFormat::ToFontUnderline(value.ToInt());
        break;
    case TypingFormat::Attribute::Subscript: {
        const bool on = value.ToInt() != 0;
        values[OUString("CharEscapement")] <<= on ? kSubscriptEscapement : sal_Int16(0);
        values[OUString("CharEscapementHeight")] <<= on ? kSubscriptHeight : sal_Int8(100);
        break;
    }
    case TypingFormat::Attribute::FaceName:
        values[OUString("CharFontName")] <<= ToOUString(value.ToString());
        values[OUString("CharFontNameAsian")] <<= ToOUString(value.ToString());
        break;
    }
}

} // namespace

sal_Int16 CharacterFormat::ToFontUnderline(int wordUnderline)
{
    switch (wordUnderline) {
    case Word::wdUnderlineNone: return awt::FontUnderline::NONE;
    case Word::wdUnderlineDouble: return awt::FontUnderline::DOUBLE;
    case Word::wdUnderlineDotted: return awt::FontUnderline::DOTTED;
    case Word::wdUnderlineThick: return awt::FontUnderline::BOLD;
    default: return awt::FontUnderline::SINGLE;
    }
}

int CharacterFormat::ToWordUnderline(sal_Int16 fontUnderline)
{
    switch (fontUnderline) {
    case awt::FontUnderline::NONE:
    case awt::FontUnderline::DONTKNOW: return Word::wdUnderlineNone;
    case awt::FontUnderline::DOUBLE: return Word::wdUnderlineDouble;
    case awt::FontUnderline::DOTTED: return Word::wdUnderlineDotted;
    case awt::FontUnderline::BOLD: return Word::wdUnderlineThick;
    default: return Word::wdUnderlineSingle;
    }
}

Automation::Variant CharacterFormat::Read(
    const uno::Reference<text::XTextCursor>& cursor, TypingFormat::Attribute attribute)
{
    const uno::Reference<beans::XPropertySet> props(cursor, uno::UNO_QUERY_THROW);
    switch (attribute) {
    case TypingFormat::Attribute::Underline: {
        sal_Int16 underline = awt::FontUnderline::NONE;
        props->getPropertyValue(OUString("CharUnderline")) >>= underline;
        return ToWordUnderline(underline);
    }
    case TypingFormat::Attribute::Subscript: {
        sal_Int16 escapement = 0;
        props->getPropertyValue(OUString("CharEscapement")) >>= escapement;
        return escapement < 0 ? 1 : 0;
    }
    case TypingFormat::Attribute::FaceName: {
        OUString face;
        props->getPropertyValue(OUString("CharFontNameAsian")) >>= face;
        return ToQString(face);
    }
    }
    return {};
}

std::pair<uno::Sequence<OUString>, uno::Sequence<uno::Any>> CharacterFormat::Properties(
    const std::vector<std::pair<TypingFormat::Attribute, Automation::Variant>>& attributeValues)
{
    std::map<OUString, uno::Any> values; // sorted by name, as setPropertyValues wants
    for (const auto& [attribute, value] : attributeValues)
        AddValues(values, attribute, value);
    uno::Sequence<OUString> names(static_cast<sal_Int32>(values.size()));
    uno::Sequence<uno::Any> anys(static_cast<sal_Int32>(values.size()));
    sal_Int32 i = 0;
    for (const auto& [name, any] : values) {
        names[i] = name;
        anys[i] = any;
        ++i;
    }
    return {names, anys};
}

void CharacterFormat::Set(const uno::Reference<beans::XMultiPropertySet>& text,
    const std::vector<std::pair<TypingFormat::Attribute, Automation::Variant>>& attributeValues)
{
    const auto [names, values] = Properties(attributeValues);
    if (names.hasElements())
        text->setPropertyValues(names, values);
}

void CharacterFormat::Reset(
    const uno::Reference<beans::XMultiPropertyStates>& text, const std::vector<TypingFormat::Attribute>& attributes)
{
    std::vector<OUString> resets;
    for (TypingFormat::Attribute attribute : attributes)
        for (const OUString& name : PropertyNames(attribute))
            resets.push_back(name);
    if (resets.empty())
        return;
    std::sort(resets.begin(), resets.end());
    uno::Sequence<OUString> names(static_cast<sal_Int32>(resets.size()));
    for (sal_Int32 i = 0; i < names.getLength(); ++i)
        names[i] = resets[static_cast<size_t>(i)];
    text->setPropertiesToDefault(names);
}

} // namespace Office
