#include "automation/office/UnoBootstrap.h"

#include "automation/office/OfficeProcess.h"
#include "automation/office/UnoStrings.h"

#include <QDir>
#include <QFileInfo>

#include <cppuhelper/bootstrap.hxx>

#include <csignal>
#include <mutex>

namespace Office {
namespace {

QString FundamentalRc()
{
    const QString program = QFileInfo(OfficeProcess::FindProgram()).canonicalFilePath();
    if (!program.isEmpty()) {
        const QString rc = QFileInfo(program).dir().filePath(QStringLiteral("fundamentalrc"));
        if (QFileInfo::exists(rc))
            return rc;
    }
    return QStringLiteral("/usr/lib/libreoffice/program/fundamentalrc");
}

} // namespace

css::uno::Reference<css::uno::XComponentContext> LocalContext()
{
    static std::mutex mutex;
    static css::uno::Reference<css::uno::XComponentContext> context;
    std::lock_guard lock(mutex);
    if (context.is())
        return context;
    // The office is reached over a pipe: a write to an office that has died
    // must fail as a call, not end the program with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    // Without URE_BOOTSTRAP the process crashes on the first remote call.
    if (qEnvironmentVariableIsEmpty("URE_BOOTSTRAP"))
        qputenv("URE_BOOTSTRAP", ("vnd.sun.star.pathname:" + FundamentalRc()).toLocal8Bit());
    try {
        context = cppu::defaultBootstrap_InitialComponentContext();
    } catch (const cppu::BootstrapException& e) {
        throw css::uno::RuntimeException(OUString("UNO bootstrap failed: ") + e.getMessage());
    }
    return context;
}

} // namespace Office
