#include "automation/ClassRegistry.h"

#include <QMap>

#include <mutex>

namespace Automation {
namespace {

struct Table {
    std::mutex mutex;
    QMap<QString, ClassRegistry::Factory> factories;
    QMap<QString, ClassRegistry::Probe> probes;
};

Table& TheTable()
{
    static Table table;
    return table;
}

} // namespace

void ClassRegistry::Register(const QString& progId, Factory factory, Probe probe)
{
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    t.factories.insert(progId, std::move(factory));
    if (probe)
        t.probes.insert(progId, std::move(probe));
    else
        t.probes.remove(progId);
}

void ClassRegistry::Unregister(const QString& progId)
{
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    t.factories.remove(progId);
    t.probes.remove(progId);
}

std::optional<bool> ClassRegistry::Availability(const QString& progId)
{
    Probe probe;
    {
        Table& t = TheTable();
        std::lock_guard lock(t.mutex);
        if (!t.factories.contains(progId))
            return false;
        probe = t.probes.value(progId);
    }
    if (!probe)
        return std::nullopt;
    return probe();
}

bool ClassRegistry::IsRegistered(const QString& progId)
{
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    return t.factories.contains(progId);
}

QStringList ClassRegistry::RegisteredIds()
{
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    return t.factories.keys();
}

ObjectPtr ClassRegistry::CreateObject(const QString& progId)
{
    Factory factory;
    {
        Table& t = TheTable();
        std::lock_guard lock(t.mutex);
        auto it = t.factories.constFind(progId);
        if (it == t.factories.constEnd())
            return nullptr;
        factory = it.value();
    }
    // Called outside the lock: starting an application takes a while and
    // a factory may itself consult the registry.
    return factory ? factory() : nullptr;
}

ObjectPtr CreateObject(const QString& progId)
{
    return ClassRegistry::CreateObject(progId);
}

} // namespace Automation
