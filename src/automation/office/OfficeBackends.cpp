#include "automation/office/OfficeBackends.h"

#include "automation/ClassRegistry.h"
#include "automation/office/OfficeProcess.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/TaroApplication.h"
#include "automation/office/WriterApplication.h"

namespace Office {

bool RegisterBackends()
{
    if (OfficeProcess::FindProgram().isEmpty())
        return false;
    Automation::ClassRegistry::Register(QString::fromLatin1(Word::_Application::ProgId), [] {
        return WriterApplication::Create(OfficeSession::Shared());
    });
    Automation::ClassRegistry::Register(QString::fromLatin1(TaroApplication::ProgId), [] {
        return TaroApplication::Create(OfficeSession::Shared());
    });
    return true;
}

void ReleaseBackends()
{
    OfficeSession::Shared()->Release();
}

} // namespace Office
