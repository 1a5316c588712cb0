#include "automation/office/TaroValues.h"

#include "automation/AutomationError.h"

namespace Office {

using Automation::Variant;

TaroValues::TaroValues(Values values, bool writable)
    : m_values(std::move(values))
{
    Setter put;
    if (writable)
        put = [this](Arguments& args) {
            if (args.size() != 2)
                Fail(Automation::AutomationError::InvalidArgument, QStringLiteral("Item takes one key and a value"));
            m_values[Key(args[0])] = args[1];
        };
    AddProperty(
        QStringLiteral("Item"), [this](Arguments& args) { return m_values.value(Key(Arg(args, 0))); }, std::move(put));
}

QString TaroValues::Key(const Variant& key) const
{
    const QString text = key.ToString();
    if (key.IsNull() || !m_values.contains(text))
        Fail(Automation::AutomationError::InvalidArgument, QStringLiteral("there is no item \"%1\"").arg(text));
    return text;
}

} // namespace Office
