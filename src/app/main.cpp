// Tavisko: makes vocabulary test papers from textbook databases.
#include "app/Application.h"
#include "app/SingleInstance.h"

#include <QApplication>

#ifdef TV_HAVE_OFFICE
#include "automation/office/OfficeBackends.h"
#endif

int main(int argc, char** argv)
{
    QApplication qtApplication(argc, argv);
    // Matches tavisko.desktop, so desktops find the program's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tavisko"));

    // A second instance ends at once, showing nothing.
    SingleInstance instance;
    if (!instance.Acquire())
        return 0;

    const int result = Application().Run();
#ifdef TV_HAVE_OFFICE
    // Ends the office the program started, unless the teacher has prints
    // open in it.
    Office::ReleaseBackends();
#endif
    return result;
}
