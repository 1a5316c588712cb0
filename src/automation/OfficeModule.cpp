#include "automation/OfficeModule.h"

#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"

#include <QFileInfo>
#include <QLibrary>
#include <QStandardPaths>

namespace Automation {

namespace {

// The office's own libraries that the module is linked with.
const char* const UnoLibraries[] = {"libuno_cppu.so.3", "libuno_cppuhelpergcc3.so.3", "libuno_sal.so.3"};

} // namespace

QString OfficeModule::OfficeProgram()
{
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (!onPath.isEmpty())
        return onPath;
    const QString bundled = QStringLiteral("/usr/lib/libreoffice/program/soffice");
    return QFileInfo(bundled).isExecutable() ? bundled : QString();
}

const QString OfficeModule::FileName = QStringLiteral("tavisko-office.so");

const QStringList OfficeModule::WordProcessorIds
    = {QStringLiteral("Word.Application"), QStringLiteral("JXW.Application")};

bool OfficeModule::OfficeFilesPresent(const QString& folder)
{
    if (!QFileInfo(folder + u'/' + FileName).isReadable())
        return false;
    const QString program = OfficeProgram();
    if (program.isEmpty())
        return false;
    // The libraries lie beside the real program, not beside a link to it.
    const QString programFolder = QFileInfo(QFileInfo(program).canonicalFilePath()).absolutePath();
    for (const char* library : UnoLibraries) {
        if (!QFileInfo(programFolder + u'/' + QLatin1String(library)).isReadable())
            return false;
    }
    return true;
}

bool OfficeModule::Announce(const QString& folder)
{
    std::lock_guard lock(m_mutex);
    if (m_tried || m_announced)
        return m_announced || m_registered;
    m_folder = folder;
    if (!OfficeFilesPresent(folder))
        return false;
    m_announced = true;
    m_deferred = true;
    for (const QString& id : WordProcessorIds) {
        ClassRegistry::Register(
            id,
            [this, id]() -> ObjectPtr {
                if (!Load())
                    throw AutomationError(AutomationError::ServerExecFailure, id,
                        QStringLiteral("the office backend cannot be loaded: ") + Error());
                return ClassRegistry::CreateObject(id);
            },
            [this] {
                {
                    std::lock_guard lock(m_mutex);
                    if (m_deferred)
                        return true;
                }
                return Load();
            });
    }
    return true;
}

bool OfficeModule::EndDeferral()
{
    std::lock_guard lock(m_mutex);
    const bool deferred = m_deferred;
    m_deferred = false;
    return deferred;
}

bool OfficeModule::Load()
{
    QString folder;
    {
        std::lock_guard lock(m_mutex);
        folder = m_folder;
    }
    return Load(folder);
}

// Announced word processors that the module did not register go, so that
// nothing is left to load it again.
void OfficeModule::Withdraw()
{
    if (!m_announced)
        return;
    m_announced = false;
    for (const QString& id : WordProcessorIds)
        ClassRegistry::Unregister(id);
}

OfficeModule& OfficeModule::Shared()
{
    static OfficeModule module;
    return module;
}

bool OfficeModule::Load(const QString& folder)
{
    std::lock_guard lock(m_mutex);
    if (m_tried)
        return m_registered;
    m_tried = true;
    // The module stays loaded until the process ends: the objects it makes
    // live as long as the program.
    auto* library = new QLibrary(folder + u'/' + FileName);
    using Register = bool (*)();
    const auto registerBackends = reinterpret_cast<Register>(library->resolve("tv_office_register"));
    m_startInBackground = reinterpret_cast<void (*)()>(library->resolve("tv_office_start_in_background"));
    m_release = reinterpret_cast<void (*)()>(library->resolve("tv_office_release"));
    if (!registerBackends || !m_startInBackground || !m_release) {
        m_error = library->errorString();
        qWarning("The office backend cannot be loaded: %s", qPrintable(m_error));
        m_startInBackground = nullptr;
        m_release = nullptr;
        delete library;
        Withdraw();
        return false;
    }
    m_library = library;
    m_loaded = true;
    if (m_headless) {
        if (const auto useHeadless = reinterpret_cast<void (*)()>(library->resolve("tv_office_use_headless")))
            useHeadless();
    }
    m_registered = registerBackends();
    if (!m_registered) {
        m_error = QStringLiteral("LibreOffice (soffice) is not installed");
        Withdraw();
    }
    m_announced = false; // what the module registered replaced the announcement
    return m_registered;
}

void* OfficeModule::Entry(const char* name) const
{
    return m_library ? reinterpret_cast<void*>(m_library->resolve(name)) : nullptr;
}

void OfficeModule::StartInBackground()
{
    if (m_registered && m_startInBackground)
        m_startInBackground();
}

void OfficeModule::Release()
{
    if (m_registered && m_release)
        m_release();
}

} // namespace Automation
