#include "automation/office/OfficeProcess.h"

#include "automation/OfficeModule.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <thread>
#include <vector>

extern char** environ;

namespace Office {

namespace {

// Calls `visit` with each process other than a zombie in process group
// `group`, until it returns false.
template <typename Visit>
void ForEachGroupMember(pid_t group, Visit visit)
{
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return;
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
            && processGroup == group && !visit(static_cast<pid_t>(std::atoi(entry->d_name))))
            break;
    }
    ::closedir(proc);
}

// True while a process other than a zombie belongs to process group `group`.
bool GroupHasLiveMembers(pid_t group)
{
    bool alive = false;
    ForEachGroupMember(group, [&alive](pid_t) {
        alive = true;
        return false;
    });
    return alive;
}

// The largest virtual size (bytes) process `pid` has had (VmPeak).
qint64 PeakVirtualSize(pid_t pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
    FILE* status = std::fopen(path, "r");
    if (!status)
        return 0;
    long long kilobytes = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmPeak: %lld kB", &kilobytes) == 1)
            break;
    std::fclose(status);
    return static_cast<qint64>(kilobytes) * 1024;
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

bool OfficeProcess::Start(const QString& program, const QStringList& arguments, QString* error, qint64 memoryLimit)
{
    // Everything the child needs is made before the fork: after it, in a
    // copy of a process with threads, only system calls are safe.
    std::vector<QByteArray> storage;
    storage.push_back(program.toLocal8Bit());
    for (const QString& a : arguments)
        storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& s : storage)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    const rlimit limit{static_cast<rlim_t>(memoryLimit), static_cast<rlim_t>(memoryLimit)};
    // The child reports a failed exec through this pipe, which closes
    // unread when the exec succeeds.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        if (error)
            *error = QStringLiteral("cannot start %1: %2").arg(program, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        // A session (and process group) of its own: a terminal's hang-up
        // or a Ctrl+C meant for the program does not reach the office, and
        // Kill can end the launcher and soffice.bin together. The office
        // writes nothing to the program's terminal, and holds none of its
        // output pipes open after the program has ended.
        ::setsid();
        const int null = ::open("/dev/null", O_RDWR);
        for (int fd = 0; fd <= 2; ++fd)
            ::dup2(null, fd);
        if (null > 2)
            ::close(null);
        if (memoryLimit > 0)
            ::setrlimit(RLIMIT_AS, &limit);
        ::execve(argv[0], argv.data(), environ);
        const int code = errno;
        [[maybe_unused]] const ssize_t written = ::write(report[1], &code, sizeof code);
        ::_exit(127);
    }
    const int forkError = errno;
    ::close(report[1]);
    int code = pid < 0 ? forkError : 0;
    if (pid > 0) {
        ssize_t got = -1;
        do
            got = ::read(report[0], &code, sizeof code);
        while (got < 0 && errno == EINTR);
        if (got != sizeof code)
            code = 0;
        else
            ::waitpid(pid, nullptr, 0);
    }
    ::close(report[0]);
    if (code != 0) {
        if (error)
            *error = QStringLiteral("cannot start %1: %2").arg(program, QString::fromLocal8Bit(strerror(code)));
        return false;
    }
    m_pid = pid;
    m_exitCode = -1;
    return true;
}

qint64 OfficeProcess::PeakMemory() const
{
    qint64 peak = 0;
    if (m_pid > 0)
        ForEachGroupMember(m_pid, [&peak](pid_t member) {
            peak = std::max(peak, PeakVirtualSize(member));
            return true;
        });
    return peak;
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
