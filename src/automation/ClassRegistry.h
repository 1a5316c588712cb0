#pragma once

#include "automation/Object.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace Automation {

// The process-wide table from programmatic identifier ("Word.Application",
// "JXW.Application") to the factory that makes the application object:
// what class lookup and instance creation are to COM. Backends register
// themselves at start-up; tests may register fakes under the same names.
class ClassRegistry {
public:
    // Makes a new application object. May throw AutomationError when the
    // application cannot be started.
    using Factory = std::function<ObjectPtr()>;
    // Answers, without making an object, whether the factory could make one
    // here (for an application: whether it is installed, not started).
    using Probe = std::function<bool()>;

    // Registers (or replaces) the factory of `progId`, with the probe that
    // answers Availability, if it has one.
    static void Register(const QString& progId, Factory factory, Probe probe = {});
    static void Unregister(const QString& progId);

    // Whether a factory is registered under `progId` (class lookup).
    static bool IsRegistered(const QString& progId);
    // Whether `progId` can make objects, as far as can be told without
    // making one: false when nothing is registered, the probe's answer when
    // it was registered with one, and no answer otherwise (only making an
    // object can tell then).
    static std::optional<bool> Availability(const QString& progId);
    static QStringList RegisteredIds();

    // A new application object: null when nothing is registered under
    // `progId`; an AutomationError from the factory passes through.
    static ObjectPtr CreateObject(const QString& progId);
};

// Shorthand for ClassRegistry::CreateObject.
ObjectPtr CreateObject(const QString& progId);

// CreateObject asking for interface T at once: null when nothing is
// registered; AutomationError (NoInterface, T::Iid) when the object is not a T.
template <class T>
std::shared_ptr<T> CreateObjectAs(const QString& progId);

} // namespace Automation

#include "automation/AutomationError.h"

template <class T>
std::shared_ptr<T> Automation::CreateObjectAs(const QString& progId)
{
    ObjectPtr object = CreateObject(progId);
    if (!object)
        return nullptr;
    auto typed = std::dynamic_pointer_cast<T>(object);
    if (!typed)
        throw AutomationError(AutomationError::NoInterface, QString::fromLatin1(T::Iid),
            QStringLiteral("%1 does not offer this interface").arg(progId));
    return typed;
}
