#include "automation/office/UnoCall.h"

#include "automation/office/OfficeSession.h"
#include "automation/office/UnoStrings.h"

namespace Office {

void RaiseFromUno(OfficeSession* session, const char* iid, const css::uno::Exception& error, UnoFailure kind)
{
    using Automation::AutomationError;
    int code = AutomationError::Fail;
    if (kind == UnoFailure::BadArgument)
        code = AutomationError::InvalidArgument;
    if (kind == UnoFailure::Disposed)
        code = AutomationError::Disconnected;
    if (session && !session->IsAlive())
        code = AutomationError::Disconnected;
    throw AutomationError(code, QString::fromLatin1(iid), ToQString(error.Message));
}

} // namespace Office
