// The entry points of the office backend module (tavisko-office.so), which
// the program loads at run time (Automation::OfficeModule). Plain C names,
// looked up by name.
#include "automation/office/OfficeBackends.h"

extern "C" {

__attribute__((visibility("default"))) bool tv_office_register()
{
    return Office::RegisterBackends();
}

__attribute__((visibility("default"))) void tv_office_use_headless()
{
    Office::UseHeadlessOffice();
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
