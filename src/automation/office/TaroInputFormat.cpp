#include "automation/office/TaroInputFormat.h"

#include "automation/office/UnoStrings.h"

#include <com/sun/star/awt/FontUnderline.hpp>
#include <com/sun/star/beans/PropertyState.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XMultiPropertyStates.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>

#include <algorithm>
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
    const uno::Sequence<OUString> sequence = ToSequence(Names());
    const uno::Sequence<beans::PropertyState> states
        = uno::Reference<beans::XPropertyState>(removed, uno::UNO_QUERY_THROW)->getPropertyStates(sequence);
    const uno::Sequence<uno::Any> values
        = uno::Reference<beans::XMultiPropertySet>(removed, uno::UNO_QUERY_THROW)->getPropertyValues(sequence);
    for (sal_Int32 i = 0; i < sequence.getLength(); ++i)
        m_values[sequence[i]]
            = states[i] == beans::PropertyState_DIRECT_VALUE ? std::optional<uno::Any>(values[i]) : std::nullopt;
    m_applied = false;
}

const std::vector<OUString>& TaroInputFormat::Names()
{
    // In name order, as the office wants them.
    static const std::vector<OUString> names = [] {
        std::vector<OUString> all{OUString::createFromAscii(UnderlineProperty)};
        for (const char* property : FontProperties)
            all.push_back(OUString::createFromAscii(property));
        for (const char* property : SizeProperties)
            all.push_back(OUString::createFromAscii(property));
        std::sort(all.begin(), all.end());
        return all;
    }();
    return names;
}

void TaroInputFormat::Export(std::vector<sal_Int16>& kinds, std::vector<uno::Any>& values, bool& applied) const
{
    kinds.clear();
    values.clear();
    for (const OUString& name : Names()) {
        const auto found = m_values.find(name);
        kinds.push_back(found == m_values.end() ? 0 : found->second ? 1 : 2);
        values.push_back(found != m_values.end() && found->second ? *found->second : uno::Any());
    }
    applied = m_applied;
}

// Values come back from Basic in its own types; each is given the type of
// its property again.
void TaroInputFormat::Import(const std::vector<sal_Int16>& kinds, const std::vector<uno::Any>& values, bool applied)
{
    m_values.clear();
    const std::vector<OUString>& names = Names();
    for (std::size_t i = 0; i < names.size() && i < kinds.size() && i < values.size(); ++i) {
        if (kinds[i] == 2) {
            m_values[names[i]] = std::nullopt;
        } else if (kinds[i] == 1) {
            if (names[i].startsWith("CharHeight")) {
                double points = 0;
                values[i] >>= points;
                m_values[names[i]] = uno::Any(static_cast<float>(points));
            } else if (names[i] == OUString::createFromAscii(UnderlineProperty)) {
                sal_Int32 underline = 0;
                values[i] >>= underline;
                m_values[names[i]] = uno::Any(static_cast<sal_Int16>(underline));
            } else {
                m_values[names[i]] = values[i];
            }
        }
    }
    m_applied = applied;
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
