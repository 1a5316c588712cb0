#include "automation/office/OfficeBackends.h"

#include "automation/ClassRegistry.h"
#include "automation/office/CalcSheetReader.h"
#include "automation/ServerControl.h"
#include "automation/office/OfficeProcess.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/TaroApplication.h"
#include "automation/office/WriterApplication.h"
#include "automation/SpreadsheetReaders.h"

namespace Office {

namespace {

// The office can run when its program is there: this module loaded, so
// its UNO libraries are there too. Nothing is started to find out.
bool OfficeInstalled()
{
    return !OfficeProcess::FindProgram().isEmpty();
}

// Teachers' spreadsheets are read by an office of their own, under a
// memory limit (CalcSheetReader::SessionOptions).
const std::shared_ptr<OfficeSession>& SheetSession()
{
    static const auto session = std::make_shared<OfficeSession>(CalcSheetReader::SessionOptions());
    return session;
}

} // namespace

bool RegisterBackends()
{
    if (!OfficeInstalled())
        return false;
    Automation::ClassRegistry::Register(
        QString::fromLatin1(Word::_Application::ProgId),
        [] { return WriterApplication::Create(OfficeSession::Shared()); }, &OfficeInstalled);
    Automation::ClassRegistry::Register(
        QString::fromLatin1(TaroApplication::ProgId), [] { return TaroApplication::Create(OfficeSession::Shared()); },
        &OfficeInstalled);
    static CalcSheetReader spreadsheets(SheetSession());
    SpreadsheetReaders::SetDefault(&spreadsheets);
    Automation::ServerControl::SetAbandonHandler([] { OfficeSession::Shared()->Abandon(); });
    return true;
}

void StartOfficeInBackground()
{
    OfficeSession::Shared()->StartInBackground();
}

void UseHeadlessOffice()
{
    OfficeSession::Options options = OfficeSession::DefaultOptions();
    options.headless = true;
    options.profileDir += QStringLiteral("-command-line");
    OfficeSession::ConfigureShared(options);
}

void ReleaseBackends()
{
    OfficeSession::Shared()->Release();
    SheetSession()->Release();
}

} // namespace Office
