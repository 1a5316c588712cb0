#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <sys/types.h>

namespace Office {

// One soffice process started by the program, in a process group of its
// own so that it and the soffice.bin it spawns can be ended together. The
// process is not ended when this object goes away: an office that shows
// the teacher's documents outlives the program.
class OfficeProcess {
public:
    OfficeProcess() = default;
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    // The soffice launcher: on PATH, else LibreOffice's program folder.
    // Empty when LibreOffice is not installed.
    static QString FindProgram();

    // The arguments that make soffice accept connections on `pipeName` and
    // use the profile at `profileUrl` (a file URL).
    static QStringList Arguments(const QString& pipeName, const QString& profileUrl, bool headless);

    // Starts `program` with `arguments`; false (with `error`) when it
    // could not be started. With a memory limit (bytes, 0: none), the
    // office's address space is bounded from its first instruction, and
    // every process it starts inherits the bound: an allocation past it
    // fails in the office instead of taking the machine's memory.
    bool Start(const QString& program, const QStringList& arguments, QString* error, qint64 memoryLimit = 0);

    // The most memory (virtual size, bytes) any live process of the
    // office's group has held; 0 when none is left.
    qint64 PeakMemory() const;

    pid_t Pid() const { return m_pid; }

    // Whether the launcher is still running. A launcher that handed its
    // arguments over to an office already running on the same profile
    // exits at once with code 0.
    bool IsRunning();
    // The launcher's exit code once it has ended, else -1.
    int ExitCode() const { return m_exitCode; }

    // Waits up to `msecs` for the launcher to end.
    bool WaitForExit(int msecs);
    // Ends the whole process group at once (SIGKILL).
    void Kill();

private:
    pid_t m_pid = -1;
    int m_exitCode = -1;
};

} // namespace Office
