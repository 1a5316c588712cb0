// Tavisko: makes vocabulary test papers from textbook databases.
#include "app/Application.h"
#include "app/DeferredExtensionIconStyle.h"
#include "app/JapaneseUi.h"
#include "app/PrintCommandLine.h"
#include "desktop/MessageBox.h"
#include "app/SingleInstance.h"
#include "automation/OfficeModule.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>

namespace {

// Prints into a file without a window (no display needed), beside any
// window of the program that is open.
int RunCommandLine(int argc, char** argv)
{
    QCoreApplication core(argc, argv);
    Automation::OfficeModule::Shared().PreferHeadless();
    const int status = PrintCommandLine().Run(QCoreApplication::arguments());
    Automation::OfficeModule::Shared().Release();
    return status;
}

// The status of a start that cannot show its window.
constexpr int NoDisplayStatus = 1;

[[noreturn]] void SayNoDisplay()
{
    std::fputs((QStringLiteral("tavisko: ")
                   + Res::String(Res::IDS_NO_DISPLAY).replace(u'\n', QStringLiteral("\ntavisko: ")) + u'\n')
                   .toUtf8()
                   .constData(),
        stderr);
    std::fflush(stderr);
    std::_Exit(NoDisplayStatus);
}

// Whether a display is named to connect to, or a platform chosen.
bool DisplayNamed()
{
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    return false;
}

QtMessageHandler g_qtHandler = nullptr;

// Qt ends the process when it cannot connect to the display, in English
// and by abort (status 134); the program says why in Japanese instead and
// ends with a status of its own.
void NoDisplayIsSaid(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg)
        SayNoDisplay();
    if (g_qtHandler)
        g_qtHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (PrintCommandLine::Applies(arguments))
        return RunCommandLine(argc, argv);

    if (!DisplayNamed())
        SayNoDisplay();
    g_qtHandler = qInstallMessageHandler(NoDisplayIsSaid);
    QApplication qtApplication(argc, argv);
    qInstallMessageHandler(g_qtHandler);
    // Matches tavisko.desktop, so desktops find the program's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tavisko"));
    // Before any widget: the menu bar's extension icon is read when drawn.
    QApplication::setStyle(new DeferredExtensionIconStyle);
    JapaneseUi::Apply(qtApplication);

    // A second instance ends at once, showing nothing. Without any place for
    // the lock it cannot know whether it is the second, so it does not run.
    SingleInstance instance;
    switch (instance.TryAcquire()) {
    case SingleInstance::Outcome::Acquired: break;
    case SingleInstance::Outcome::HeldElsewhere: return 0;
    case SingleInstance::Outcome::Unavailable:
        ShowWarning(Res::IDS_ERR_SINGLE_INSTANCE_LOCK, QDir::toNativeSeparators(instance.LockPath()));
        return 0;
    }

    const int result = Application().Run();
    // Ends the office the program started, unless the teacher has prints
    // open in it.
    Automation::OfficeModule::Shared().Release();
    // The main window ends the loop with 1 on an ordinary quit. On Linux a
    // non-zero status reads as a failure to shells and desktop launchers, so
    // an ordinary quit leaves with 0 like the early stops do.
    return result == 1 ? 0 : result;
}
