#include "automation/Variant.h"

namespace Automation {

Variant Variant::Missing()
{
    Variant v;
    v.m_value = MissingTag{};
    return v;
}

Variant::Type Variant::GetType() const
{
    return static_cast<Type>(m_value.index());
}

bool Variant::ToBool(bool* ok) const
{
    bool converted = true;
    bool result = false;
    switch (GetType()) {
    case Type::Bool: result = std::get<bool>(m_value); break;
    case Type::Int: result = std::get<int>(m_value) != 0; break;
    case Type::String: {
        const QString& s = std::get<QString>(m_value);
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            result = true;
        else if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            result = false;
        else
            result = s.toInt(&converted) != 0;
        break;
    }
    default: converted = false; break;
    }
    if (ok)
        *ok = converted;
    return converted && result;
}

int Variant::ToInt(bool* ok) const
{
    bool converted = true;
    int result = 0;
    switch (GetType()) {
    case Type::Bool: result = std::get<bool>(m_value) ? 1 : 0; break;
    case Type::Int: result = std::get<int>(m_value); break;
    case Type::String: result = std::get<QString>(m_value).trimmed().toInt(&converted); break;
    default: converted = false; break;
    }
    if (ok)
        *ok = converted;
    return converted ? result : 0;
}

QString Variant::ToString(bool* ok) const
{
    bool converted = true;
    QString result;
    switch (GetType()) {
    case Type::Bool: result = std::get<bool>(m_value) ? QStringLiteral("True") : QStringLiteral("False"); break;
    case Type::Int: result = QString::number(std::get<int>(m_value)); break;
    case Type::String: result = std::get<QString>(m_value); break;
    case Type::Empty: break;
    default: converted = false; break;
    }
    if (ok)
        *ok = converted;
    return result;
}

ObjectPtr Variant::ToObject() const
{
    if (GetType() == Type::Object)
        return std::get<ObjectPtr>(m_value);
    return nullptr;
}

bool Variant::operator==(const Variant& other) const
{
    return m_value == other.m_value;
}

} // namespace Automation
