#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtDebug>

namespace {

const QString LockName = QStringLiteral("morvane-k-tavisko.lock");

} // namespace

SingleInstance::SingleInstance()
    : SingleInstance(DefaultLockPath())
{
}

SingleInstance::SingleInstance(const QString& lockPath)
    : m_path(lockPath)
    , m_lock(lockPath)
{
    // The lock lasts the whole run: an instance that has run longer than
    // any time limit must still count as running. A lock left by a process
    // that no longer exists is taken over all the same.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultLockPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + LockName;
}

bool SingleInstance::Acquire()
{
    if (m_lock.isLocked())
        return true;
    if (!m_path.isEmpty()) {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        if (m_lock.tryLock(0))
            return true;
        if (m_lock.error() == QLockFile::LockFailedError)
            return false;
    }
    qWarning("No single-instance lock at \"%s\"; running without it", qUtf8Printable(m_path));
    return true;
}

bool SingleInstance::IsHeld() const
{
    return m_lock.isLocked();
}
