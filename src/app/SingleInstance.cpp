#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtDebug>

namespace {

const QString LockName = QStringLiteral("morvane-k-tavisko.lock");

} // namespace

SingleInstance::SingleInstance()
    : SingleInstance(QStringList{PrivateLockPath(), DefaultLockPath()})
{
}

SingleInstance::SingleInstance(const QStringList& lockPaths)
    : m_paths(lockPaths)
{
    m_paths.removeAll(QString());
}

SingleInstance::SingleInstance(const QString& lockPath)
    : SingleInstance(QStringList{lockPath})
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultLockPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + LockName;
}

QString SingleInstance::PrivateLockPath()
{
    // Beside the user database, so that one data folder has one instance
    // even where two computers share it (a school's network home).
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return home.isEmpty() ? QString() : home + QStringLiteral("/morvane-k/userdata/") + LockName;
}

SingleInstance::Outcome SingleInstance::TryAcquire()
{
    if (IsHeld())
        return Outcome::Acquired;
    for (const QString& path : m_paths) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        auto lock = std::make_unique<QLockFile>(path);
        // The lock lasts the whole run: an instance that has run longer than
        // any time limit must still count as running. A lock left by a
        // process that no longer exists is taken over all the same.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            m_lock = std::move(lock);
            return Outcome::Acquired;
        }
        if (lock->error() == QLockFile::LockFailedError)
            return Outcome::HeldElsewhere;
        qWarning("No single-instance lock at \"%s\"", qUtf8Printable(path));
    }
    return Outcome::Unavailable;
}

bool SingleInstance::IsHeld() const
{
    return m_lock && m_lock->isLocked();
}

QString SingleInstance::LockPath() const
{
    if (IsHeld())
        return m_lock->fileName();
    return m_paths.isEmpty() ? QString() : m_paths.front();
}
