#pragma once

#include <QString>

#include <atomic>

// Cancels an import that runs on a thread of its own (the import window
// reads and checks a file off its own thread): while a Scope lives, the
// reading and checking on that thread ask Requested between rows and, once
// the flag is set, stop with Message as their error.
class ImportCancel {
public:
    class Scope {
    public:
        explicit Scope(const std::atomic<bool>& flag);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        const std::atomic<bool>* m_outer;
    };

    // Whether the import on this thread has been cancelled; never without
    // a Scope.
    static bool Requested();
    static QString Message() { return QStringLiteral("読み取りを取りやめました"); }
};
