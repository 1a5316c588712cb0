// From starting the program to its first window on the screen, against a
// bare Qt window started the same way in the same run. Needs an X display
// (scripts/startup-benchmark.sh runs it under a virtual X server): the time
// ends when the X server maps the process's first top-level window.
//
// The program runs on the sample books of the build, with a private home
// (user database, office profile, runtime folder) made for the run, and is
// ended with SIGTERM after each round as a desktop's logout would. The
// runtime folder lies in memory (/dev/shm) where there is one, as a
// desktop's XDG_RUNTIME_DIR does.
//
// A third window shows what any Qt window with Japanese text pays before
// it appears: the program's Japanese UI set-up (Noto Sans CJK JP, Qt's
// Japanese texts), a menu bar and a row of captioned controls, but no book,
// user database, office or print tabs.
//
// Beside the wall time, "cpu_ms" counts the processor time the started
// process had used (all its threads) when its window was mapped: on a
// machine busy with other work the wall time mostly measures the waiting
// for a processor, this count does not.
#include <benchmark/benchmark.h>

#include "app/JapaneseUi.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const char* const BareArgument = "--bare-window";
const char* const JapaneseArgument = "--japanese-window";
std::string selfPath;

// Watches the X server for top-level windows being mapped.
class MapWatcher {
public:
    MapWatcher()
        : display_(XOpenDisplay(nullptr))
    {
        if (display_)
            XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    }
    ~MapWatcher()
    {
        if (display_)
            XCloseDisplay(display_);
    }
    MapWatcher(const MapWatcher&) = delete;
    MapWatcher& operator=(const MapWatcher&) = delete;

    bool Ok() const { return display_ != nullptr; }

    void Drain()
    {
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
        }
    }

    // Waits for the next map of a top-level window; false after `timeout`.
    bool WaitForMap(std::chrono::milliseconds timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        const int fd = ConnectionNumber(display_);
        while (std::chrono::steady_clock::now() < deadline) {
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type == MapNotify && !event.xmap.override_redirect)
                    return true;
            }
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(fd, &fds);
            timeval tick{0, 2000};
            select(fd + 1, &fds, nullptr, nullptr, &tick);
        }
        return false;
    }

private:
    Display* display_;
};

// Processor time used so far by all threads of process `pid`, in
// milliseconds (the first field of each thread's schedstat, nanoseconds).
double CpuMilliseconds(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* folder = opendir(tasks.c_str());
    if (!folder)
        return 0;
    double nanoseconds = 0;
    while (const dirent* entry = readdir(folder)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream stat(tasks + '/' + entry->d_name + "/schedstat");
        double onCpu = 0;
        if (stat >> onCpu)
            nanoseconds += onCpu;
    }
    closedir(folder);
    return nanoseconds / 1e6;
}

pid_t Spawn(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    return pid;
}

void EndAndReap(pid_t pid)
{
    ::kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 1000; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    ::kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
}

// One round per iteration: start, wait for the window, end.
void TimeToFirstWindow(benchmark::State& state, const std::vector<std::string>& command)
{
    MapWatcher watcher;
    if (!watcher.Ok()) {
        state.SkipWithError("no X display (run scripts/startup-benchmark.sh)");
        return;
    }
    double cpu = 0;
    for (auto _ : state) {
        watcher.Drain();
        const auto started = std::chrono::steady_clock::now();
        const pid_t pid = Spawn(command);
        if (pid <= 0) {
            state.SkipWithError("cannot start the program");
            return;
        }
        const bool mapped = watcher.WaitForMap(std::chrono::seconds(60));
        const auto shown = std::chrono::steady_clock::now();
        cpu += CpuMilliseconds(pid);
        EndAndReap(pid);
        if (!mapped) {
            state.SkipWithError("no window within 60 s");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(shown - started).count());
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

void BM_BareQtWindow(benchmark::State& state)
{
    TimeToFirstWindow(state, {selfPath, BareArgument});
}

void BM_JapaneseQtWindow(benchmark::State& state)
{
    TimeToFirstWindow(state, {selfPath, JapaneseArgument});
}

void BM_ProgramWindow(benchmark::State& state)
{
    // A home of its own: no stored selection, no office of an earlier run.
    QTemporaryDir home;
    const QByteArray root = home.path().toLocal8Bit();
    const bool inMemory = QFileInfo(QStringLiteral("/dev/shm")).isWritable();
    QTemporaryDir runtime(
        inMemory ? QStringLiteral("/dev/shm/tavisko-bench-XXXXXX") : home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray saved[] = {qgetenv("HOME"), qgetenv("XDG_DATA_HOME"), qgetenv("XDG_CACHE_HOME"),
        qgetenv("XDG_CONFIG_HOME"), qgetenv("XDG_RUNTIME_DIR")};
    qputenv("HOME", root);
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    // TV_BENCH_PROGRAM measures another build of the program (an older one).
    const QByteArray program = qEnvironmentVariableIsEmpty("TV_BENCH_PROGRAM") ? QByteArray(TV_BUILD_DIR "/bin/tavisko")
                                                                               : qgetenv("TV_BENCH_PROGRAM");
    TimeToFirstWindow(state, {program.toStdString()});
    const char* names[] = {"HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"};
    for (int i = 0; i < 5; ++i)
        qputenv(names[i], saved[i]);
}

int RunBareWindow(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(640, 480);
    window.setWindowTitle(QStringLiteral("bare"));
    window.show();
    return QApplication::exec();
}

int RunJapaneseWindow(int argc, char** argv)
{
    QApplication application(argc, argv);
    JapaneseUi::Apply(application);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("テスト作成システム"));
    for (const char* title : {"ファイル(&F)", "設定(&C)", "ヘルプ(&H)"})
        window.menuBar()->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("終了(&X)"));
    auto* central = new QWidget(&window);
    auto* row = new QHBoxLayout(central);
    row->addWidget(new QLabel(QStringLiteral("選択書籍"), central));
    row->addWidget(new QLineEdit(QStringLiteral("英単語 1900"), central));
    for (const char* caption : {"変更(&B)", "出題形式選択(&Q)", "出題範囲選択(&R)", "プリント作成(&P)"})
        row->addWidget(new QPushButton(QString::fromUtf8(caption), central));
    window.setCentralWidget(central);
    window.resize(760, 480);
    window.show();
    return QApplication::exec();
}

} // namespace

BENCHMARK(BM_BareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_JapaneseQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ProgramWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], BareArgument) == 0)
        return RunBareWindow(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], JapaneseArgument) == 0)
        return RunJapaneseWindow(argc, argv);
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    selfPath = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string(argv[0]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
