#include "automation/office/TaroInputFormat.h"

#include "automation/office/UnoStrings.h"

#include <com/sun/star/awt/FontUnderline.hpp>
#include <com/sun/star/beans/PropertyState.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XMultiPropertyStates.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>

#include <vector>

using namespace css;

namespace Office {
namespace {

const char* const UnderlineProperty = "CharUnderline";
const char* const FontProperties[] = {"CharFontName", "CharFontNameAsian"};
const char* const SizeProperties[] = {"CharHeight", "CharHeightAsian", "CharHeightComplex"};

template <class T>
uno::Sequence<T> ToSequence(const std::vector<T>& items)
{
    return uno::Sequence<T>(items.data(), static_cast<sal_Int32>(items.size()));
}

} // namespace

void TaroInputFormat::Set(const char* property, std::optional<uno::Any> value)
{
    m_values[OUString::createFromAscii(property)] = std::move(value);
    m_applied = false;
}

void TaroInputFormat::SetUnderline(bool on)
{
    Set(UnderlineProperty, on ? std::optional<uno::Any>(uno::Any(awt::FontUnderline::SINGLE)) : std::nullopt);
}

void TaroInputFormat::SetFont(const QString& face)
{
    for (const char* property : FontProperties)
        Set(property, uno::Any(ToOUString(face)));
}

void TaroInputFormat::SetSize(int points)
{
    for (const char* property : SizeProperties)
        Set(property, points > 0 ? std::optional<uno::Any>(uno::Any(static_cast<float>(points))) : std::nullopt);
}

void TaroInputFormat::Moved()
{
    m_values.clear();
    m_applied = false;
}

void TaroInputFormat::ApplyTo(const uno::Reference<text::XTextCursor>& run)
{
    std::vector<OUString> names; // in name order, as the office wants them
    std::vector<uno::Any> values;
    std::vector<OUString> resets;
    for (const auto& [name, value] : m_values) {
        if (value) {
            names.push_back(name);
            values.push_back(*value);
        } else {
            resets.push_back(name);
        }
    }
    if (!names.empty())
        uno::Reference<beans::XMultiPropertySet>(run, uno::UNO_QUERY_THROW)
            ->setPropertyValues(ToSequence(names), ToSequence(values));
    if (!resets.empty())
        uno::Reference<beans::XMultiPropertyStates>(run, uno::UNO_QUERY_THROW)
            ->setPropertiesToDefault(ToSequence(resets));
    // Text typed after the run continues it, so what went back to normal
    // stays so without being told again.
    std::erase_if(m_values, [](const auto& entry) { return !entry.second.has_value(); });
    m_applied = true;
}

void TaroInputFormat::TakeOver(const uno::Reference<text::XTextCursor>& removed)
{
    std::vector<OUString> names{OUString::createFromAscii(UnderlineProperty)};
    for (const char* property : FontProperties)
        names.push_back(OUString::createFromAscii(property));
    for (const char* property : SizeProperties)
        names.push_back(OUString::createFromAscii(property));
    std::sort(names.begin(), names.end());
    const uno::Sequence<OUString> sequence = ToSequence(names);
    const uno::Sequence<beans::PropertyState> states
        = uno::Reference<beans::XPropertyState>(removed, uno::UNO_QUERY_THROW)->getPropertyStates(sequence);
    const uno::Sequence<uno::Any> values
        = uno::Reference<beans::XMultiPropertySet>(removed, uno::UNO_QUERY_THROW)->getPropertyValues(sequence);
    for (sal_Int32 i = 0; i < sequence.getLength(); ++i)
        m_values[sequence[i]]
            = states[i] == beans::PropertyState_DIRECT_VALUE ? std::optional<uno::Any>(values[i]) : std::nullopt;
    m_applied = false;
}

std::optional<QString> TaroInputFormat::Font() const
{
    const auto found = m_values.find(OUString::createFromAscii(FontProperties[1]));
    if (found == m_values.end() || !found->second)
        return std::nullopt;
    OUString face;
    *found->second >>= face;
    return ToQString(face);
}

} // namespace Office
