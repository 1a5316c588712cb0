// The entry points of the office backend module (tavisko-office.so), which
// the program loads at run time (Automation::OfficeModule). Plain C names,
// looked up by name.
#include "automation/office/OfficeBackends.h"
#include "automation/SpreadsheetReaders.h"

extern "C" {

__attribute__((visibility("default"))) bool tv_office_register()
{
    return Office::RegisterBackends();
}

__attribute__((visibility("default"))) void tv_office_use_headless()
{
    Office::UseHeadlessOffice();
}

// The reader of ODS and XLSX sheets through Calc that registering made,
// for the program's imports (the module keeps its own default).
__attribute__((visibility("default"))) SpreadsheetReader* tv_office_spreadsheet_reader()
{
    return SpreadsheetReaders::Default();
}

__attribute__((visibility("default"))) void tv_office_start_in_background()
{
    Office::StartOfficeInBackground();
}

__attribute__((visibility("default"))) void tv_office_release()
{
    Office::ReleaseBackends();
}

} // extern "C"
