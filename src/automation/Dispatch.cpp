#include "automation/Dispatch.h"

#include "automation/UnknownNameError.h"

#include <exception>

namespace Automation {

Variant Dispatch::Invoke(const QString& name, CallKind kind, Arguments& args)
{
    const int id = IdOfName(name);
    if (id == UnknownId)
        throw UnknownNameError(name);
    try {
        return InvokeId(id, kind, args);
    } catch (const AutomationError&) {
        throw;
    } catch (const std::exception& error) {
        throw AutomationError(AutomationError::Fail, QString::fromLatin1(Iid),
            QStringLiteral("%1: %2").arg(name, QString::fromLocal8Bit(error.what())));
    }
}

Variant Dispatch::Call(const QString& name, Arguments args)
{
    return Invoke(name, CallKind::Method, args);
}

Variant Dispatch::Get(const QString& name, Arguments args)
{
    return Invoke(name, CallKind::PropertyGet, args);
}

void Dispatch::Put(const QString& name, const Variant& value)
{
    Put(name, {}, value);
}

void Dispatch::Put(const QString& name, Arguments indices, const Variant& value)
{
    indices.push_back(value);
    Invoke(name, CallKind::PropertyPut, indices);
}

DispatchPtr ToDispatch(const Variant& value)
{
    return std::dynamic_pointer_cast<Dispatch>(value.ToObject());
}

} // namespace Automation
