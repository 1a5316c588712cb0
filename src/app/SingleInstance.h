#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>

// Keeps the program to one running instance per data folder: a lock file,
// held from Acquire until this object is destroyed. The lock belongs to a
// live process only, so a crashed instance never blocks the next start.
//
// The lock lives beside the user database, so that a home folder shared
// by two computers (or seen with two runtime folders) runs one instance on
// its one user database; where that folder cannot be written, in the
// user's runtime folder.
class SingleInstance {
public:
    enum class Outcome {
        Acquired,      // this instance is the one
        HeldElsewhere, // another running instance holds the lock
        Unavailable,   // no place for a lock: cannot tell, so do not run
    };

    // The product's fixed lock file in its usual places.
    SingleInstance();
    // For tests: other lock files, in order of preference.
    explicit SingleInstance(const QStringList& lockPaths);
    explicit SingleInstance(const QString& lockPath);
    virtual ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock without waiting, in the first place where a lock file
    // can be made. Asking again while holding it keeps it.
    Outcome TryAcquire();
    // Whether this object holds the lock.
    bool IsHeld() const;

    // The lock file held, or the first place when none is held.
    QString LockPath() const;
    // <runtime folder>/morvane-k-tavisko.lock; the runtime folder is
    // $XDG_RUNTIME_DIR (or Qt's per-user fallback).
    static QString DefaultLockPath();
    // <data home>/morvane-k/userdata/morvane-k-tavisko.lock.
    static QString PrivateLockPath();

private:
    QStringList m_paths;
    std::unique_ptr<QLockFile> m_lock; // the one held
};
