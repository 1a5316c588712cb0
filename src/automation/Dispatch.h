#pragma once

#include "automation/Variant.h"

#include <QString>

#include <memory>
#include <vector>

namespace Automation {

// An automation object called late-bound (what IDispatch is to COM): the
// caller names a method or property as text, the name is resolved to a
// dispatch identifier at the moment of the call, and the arguments travel
// as variants, omitted ones included. Ichitaro's automation server
// ("JXW.Application") offers only this kind of object.
//
// A name the object does not know raises UnknownNameError ("DispidOfName
// <name> error"); a call that fails raises an AutomationError on Iid.
class Dispatch : public Object {
public:
    static constexpr char Iid[] = "{00020400-0000-0000-C000-000000000046}";

    // How a member is invoked: as a method, or to read or write a property.
    enum class CallKind { Method, PropertyGet, PropertyPut };
    // In parameter order; for PropertyPut the value comes last. Arguments
    // are passed by reference: a member may write results into them.
    using Arguments = std::vector<Variant>;

    // The identifier that stands for an unknown name.
    static constexpr int UnknownId = -1;

    // Resolves `name` and invokes the member.
    Variant Invoke(const QString& name, CallKind kind, Arguments& args);

    // Shorthands for Invoke.
    Variant Call(const QString& name, Arguments args = {});
    Variant Get(const QString& name, Arguments args = {});
    void Put(const QString& name, const Variant& value);
    // A property with index arguments (Item(key) = value).
    void Put(const QString& name, Arguments indices, const Variant& value);

    // The dispatch identifier of `name` (case-insensitive), or UnknownId.
    virtual int IdOfName(const QString& name) = 0;

protected:
    // Invokes the member `id`. Failures leave as AutomationError; any
    // other exception is turned into one by Invoke.
    virtual Variant InvokeId(int id, CallKind kind, Arguments& args) = 0;
};

using DispatchPtr = std::shared_ptr<Dispatch>;

// The dispatch object a variant holds, or null (empty, or not an object
// that can be called by name).
DispatchPtr ToDispatch(const Variant& value);

} // namespace Automation
