#include "automation/office/OfficeProcess.h"

#include "automation/OfficeModule.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace Office {

namespace {

// True while a process other than a zombie belongs to process group `group`.
bool GroupHasLiveMembers(pid_t group)
{
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return false;
    bool alive = false;
    while (const dirent* entry = ::readdir(proc)) {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
            continue;
        char path[64];
        std::snprintf(path, sizeof path, "/proc/%s/stat", entry->d_name);
        FILE* stat = std::fopen(path, "r");
        if (!stat)
            continue;
        char line[1024];
        const size_t length = std::fread(line, 1, sizeof line - 1, stat);
        std::fclose(stat);
        line[length] = '\0';
        // pid (comm) state ppid pgrp ...; comm may hold spaces, so read after the last ')'.
        const char* afterName = std::strrchr(line, ')');
        char state = 0;
        int parent = 0;
        int processGroup = 0;
        if (afterName && std::sscanf(afterName + 1, " %c %d %d", &state, &parent, &processGroup) == 3 && state != 'Z'
            && processGroup == group) {
            alive = true;
            break;
        }
    }
    ::closedir(proc);
    return alive;
}

} // namespace

QString OfficeProcess::FindProgram()
{
    // One answer for the program's check of the office's files and for the launch.
    return Automation::OfficeModule::OfficeProgram();
}

QStringList OfficeProcess::Arguments(const QString& pipeName, const QString& profileUrl, bool headless)
{
    QStringList args;
    args << QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipeName)
         << QStringLiteral("-env:UserInstallation=%1").arg(profileUrl) << QStringLiteral("--norestore")
         << QStringLiteral("--nologo") << QStringLiteral("--nodefault") << QStringLiteral("--nolockcheck");
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
    // The group outlives the launcher when soffice.bin is still running, and
    // a launcher killed just after its start may still be forking: repeat the
    // signal until no live member is left (zombies may stay unreaped).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
        ::kill(-m_pid, SIGKILL);
        WaitForExit(20);
    } while (GroupHasLiveMembers(m_pid) && std::chrono::steady_clock::now() < deadline);
    WaitForExit(5000);
}

} // namespace Office
