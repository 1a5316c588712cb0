#pragma once

#include "automation/AutomationError.h"
#include "automation/Dispatch.h"
#include "automation/office/UnoCall.h"

namespace Office {

// Runs the body of an Ichitaro member: office failures leave it as
// AutomationErrors on the dispatch interface, whichever part of the
// backend raised them.
template <class Body>
auto TaroCall(OfficeSession* session, Body&& body) -> decltype(body())
{
    try {
        return UnoCall(session, Automation::Dispatch::Iid, std::forward<Body>(body));
    } catch (const Automation::AutomationError& error) {
        if (error.InterfaceId() == QLatin1String(Automation::Dispatch::Iid))
            throw;
        throw Automation::AutomationError(
            error.Code(), QString::fromLatin1(Automation::Dispatch::Iid), error.Description())
            .WithFault(error.Fault(), error.FaultSubject());
    }
}

} // namespace Office
