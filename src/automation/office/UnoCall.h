#pragma once

#include "automation/AutomationError.h"

#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/uno/Exception.hpp>

#include <utility>

namespace Office {

class OfficeSession;

enum class UnoFailure { Disposed, BadArgument, Other };

// Raises the AutomationError that stands for a failed office call on
// interface `iid`: a gone office or object as Disconnected, a bad argument
// as InvalidArgument, anything else as Fail. Lets the session notice a
// dead office.
[[noreturn]] void RaiseFromUno(
    OfficeSession* session, const char* iid, const css::uno::Exception& error, UnoFailure kind);

// Runs `body`; UNO exceptions leave it as AutomationErrors on `iid`.
template <class Body>
auto UnoCall(OfficeSession* session, const char* iid, Body&& body) -> decltype(body())
{
    try {
        return std::forward<Body>(body)();
    } catch (const css::lang::DisposedException& error) {
        RaiseFromUno(session, iid, error, UnoFailure::Disposed);
    } catch (const css::lang::IllegalArgumentException& error) {
        RaiseFromUno(session, iid, error, UnoFailure::BadArgument);
    } catch (const css::uno::Exception& error) {
        RaiseFromUno(session, iid, error, UnoFailure::Other);
    }
}

} // namespace Office
