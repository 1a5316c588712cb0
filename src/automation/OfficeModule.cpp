#include "automation/OfficeModule.h"

#include <QLibrary>

namespace Automation {

const QString OfficeModule::FileName = QStringLiteral("tavisko-office.so");

OfficeModule& OfficeModule::Shared()
{
    static OfficeModule module;
    return module;
}

bool OfficeModule::Load(const QString& folder)
{
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
        return false;
    }
    m_library = library;
    m_loaded = true;
    if (m_headless) {
        if (const auto useHeadless = reinterpret_cast<void (*)()>(library->resolve("tv_office_use_headless")))
            useHeadless();
    }
    m_registered = registerBackends();
    if (!m_registered)
        m_error = QStringLiteral("LibreOffice (soffice) is not installed");
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
