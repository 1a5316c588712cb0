#include "automation/office/TypingFormat.h"

namespace Office {

Automation::Variant TypingFormat::Natural(Attribute attribute, const Reader& read)
{
    auto it = m_natural.find(attribute);
    if (it != m_natural.end())
        return it->second;
    if (m_style) {
        auto& known = m_naturalByStyle[*m_style];
        auto inStyle = known.find(attribute);
        if (inStyle == known.end())
            inStyle = known.emplace(attribute, read(attribute)).first;
        return m_natural.emplace(attribute, inStyle->second).first->second;
    }
    return m_natural.emplace(attribute, read(attribute)).first->second;
}

Automation::Variant TypingFormat::Get(Attribute attribute, const Reader& read)
{
    auto it = m_pending.find(attribute);
    if (it != m_pending.end() && it->second)
        return *it->second;
    return Natural(attribute, read);
}

void TypingFormat::Put(Attribute attribute, const Automation::Variant& value, const Reader& read)
{
    if (value == Natural(attribute, read))
        m_pending[attribute] = std::nullopt;
    else
        m_pending[attribute] = value;
}

std::vector<std::pair<TypingFormat::Attribute, Automation::Variant>> TypingFormat::ValuesToApply() const
{
    std::vector<std::pair<Attribute, Automation::Variant>> values;
    for (const auto& [attribute, value] : m_pending)
        if (value)
            values.emplace_back(attribute, *value);
    return values;
}

std::vector<TypingFormat::Attribute> TypingFormat::AttributesToReset() const
{
    std::vector<Attribute> resets;
    for (const auto& [attribute, value] : m_pending)
        if (!value)
            resets.push_back(attribute);
    return resets;
}

void TypingFormat::Typed()
{
    std::erase_if(m_pending, [](const auto& entry) { return !entry.second.has_value(); });
}

void TypingFormat::Moved()
{
    m_pending.clear();
    m_natural.clear();
    m_style.reset();
}

void TypingFormat::StyleChanged(const QString& style)
{
    m_natural.clear();
    m_style = style;
}

} // namespace Office
