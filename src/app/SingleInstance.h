#pragma once

#include <QLockFile>
#include <QString>

// Keeps the program to one running instance per user: a lock file in the
// user's runtime folder, held from Acquire until this object is destroyed.
// The lock belongs to a live process only, so a crashed instance never
// blocks the next start.
class SingleInstance
{
public:
    // The product's fixed lock file in the user's runtime folder.
    SingleInstance();
    // For tests: another lock file.
    explicit SingleInstance(const QString& lockPath);
    virtual ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock without waiting. False only when another running
    // instance holds it. When the lock file cannot be made at all (no
    // runtime folder, no permission) the program must still be usable, so
    // the answer is then true, without a lock.
    bool Acquire();
    // Whether this object holds the lock.
    bool IsHeld() const;

    QString LockPath() const { return m_path; }
    // <runtime folder>/morvane-k-tavisko.lock; the runtime folder is
    // $XDG_RUNTIME_DIR (or Qt's per-user fallback).
    static QString DefaultLockPath();

private:
    QString m_path;
    QLockFile m_lock;
};
