#pragma once

#include "automation/Object.h"

#include <QString>

#include <variant>

namespace Automation {

// The value of an automation argument or result (what VARIANT is to COM):
// empty, omitted (an optional argument that the caller leaves out), a
// boolean, a 32-bit integer, a text or an automation object.
class Variant {
public:
    enum class Type { Empty, Missing, Bool, Int, String, Object };

    Variant() = default; // empty
    Variant(bool value)
        : m_value(value)
    {
    }
    Variant(int value)
        : m_value(value)
    {
    }
    Variant(long value)
        : m_value(static_cast<int>(value))
    {
    }
    Variant(const QString& value)
        : m_value(value)
    {
    }
    Variant(const char16_t* value)
        : m_value(QString::fromUtf16(value))
    {
    }
    Variant(const char* value)
        : m_value(QString::fromUtf8(value))
    {
    }
    Variant(ObjectPtr value)
        : m_value(std::move(value))
    {
    }

    // An optional argument passed as "not given".
    static Variant Missing();

    Type GetType() const;
    bool IsEmpty() const { return GetType() == Type::Empty; }
    bool IsMissing() const { return GetType() == Type::Missing; }
    // Empty or missing: no value was given.
    bool IsNull() const { return IsEmpty() || IsMissing(); }

    // Conversions in the manner of VariantChangeType; `ok` (when given)
    // tells whether the value could be converted.
    bool ToBool(bool* ok = nullptr) const;
    int ToInt(bool* ok = nullptr) const;
    QString ToString(bool* ok = nullptr) const;
    ObjectPtr ToObject() const;

    bool operator==(const Variant& other) const;

private:
    struct MissingTag {
        bool operator==(const MissingTag&) const { return true; }
    };
    std::variant<std::monostate, MissingTag, bool, int, QString, ObjectPtr> m_value;
};

} // namespace Automation
