#include "automation/office/OfficeProcess.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace Office {

QString OfficeProcess::FindProgram()
{
    QString program = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (program.isEmpty()) {
        const QString bundled = QStringLiteral("/usr/lib/libreoffice/program/soffice");
        if (QFileInfo(bundled).isExecutable())
            program = bundled;
    }
    return program;
}

QStringList OfficeProcess::Arguments(const QString& pipeName, const QString& profileUrl, bool headless)
{
    QStringList args;
    args << QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipeName)
         << QStringLiteral("-env:UserInstallation=%1").arg(profileUrl)
         << QStringLiteral("--norestore") << QStringLiteral("--nologo") << QStringLiteral("--nodefault")
         << QStringLiteral("--nolockcheck");
    if (headless)
        args << QStringLiteral("--headless");
    return args;
}

bool OfficeProcess::Start(const QString& program, const QStringList& arguments, QString* error)
{
    std::vector<QByteArray> storage;
    storage.push_back(program.toLocal8Bit());
    for (const QString& a : arguments)
        storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    // The office writes nothing to the program's terminal, and holds none
    // of its output pipes open after the program has ended.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // A session (and process group) of its own: a terminal's hang-up or a
    // Ctrl+C meant for the program does not reach the office, and Kill can
    // end the launcher and soffice.bin together.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &files, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&files);
    if (rc != 0) {
        if (error)
            *error = QStringLiteral("cannot start %1: %2").arg(program, QString::fromLocal8Bit(strerror(rc)));
        return false;
    }
    m_pid = pid;
    m_exitCode = -1;
    return true;
}

bool OfficeProcess::IsRunning()
{
    if (m_pid <= 0 || m_exitCode >= 0)
        return false;
    int status = 0;
    const pid_t r = waitpid(m_pid, &status, WNOHANG);
    if (r == 0)
        return true;
    if (r == m_pid)
        m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    else
        m_exitCode = 255; // not our child any more: treat as gone
    return false;
}

bool OfficeProcess::WaitForExit(int msecs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(msecs);
    while (IsRunning()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void OfficeProcess::Kill()
{
    if (m_pid <= 0)
        return;
    // The group outlives the launcher when soffice.bin is still running.
    ::kill(-m_pid, SIGKILL);
    WaitForExit(5000);
}

} // namespace Office
