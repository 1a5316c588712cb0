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
    // The main window ends the loop with 1 on an ordinary quit. On Linux a
    // non-zero status reads as a failure to shells and desktop launchers, so
    // an ordinary quit leaves with 0 like the early stops do.
    return result == 1 ? 0 : result;
}
