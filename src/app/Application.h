#pragma once

#include "quiz/Path.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class DlgMain;
class MainDialogs;
class Model;
class Templ;

namespace Print {
class Creator;
}

// One run of the program from start-up to exit. It builds the long-lived
// objects in a fixed order (paths, the model with its database gateway,
// the creators of the word processors, the template catalogue), reports a
// start that cannot go on with exactly one message box, restores the
// teacher's last state, shows the main window and runs the event loop until
// the window quits. Then it saves the output word processor ("Wpa"), the
// selection and the template ("template"), in that order, and tears
// everything down in reverse order.
//
// Nothing is saved after a start-up stop, nor while the user database is
// disabled (it could not be opened; the run goes on after telling so).
class Application {
public:
    // Creators by application type (1 Word, 2 Ichitaro), in registration order.
    using CreatorList = std::vector<std::pair<int, std::shared_ptr<Print::Creator>>>;
    // Makes the creators to register at start-up.
    using CreatorSource = std::function<CreatorList()>;
    // Sees the main window after it is made and before it is shown.
    using WindowHook = std::function<void(Application&, DlgMain&)>;

    // The exit code of a run that stopped during start-up.
    static constexpr int kStopped = 0;

    explicit Application(const Path& path = Path());
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Where the creators come from; StandardCreatorsIn the paths' program
    // folder unless replaced.
    // Creators of another source start their word processor themselves:
    // replacing the source drops the background start.
    void SetCreatorSource(CreatorSource source);
    // What starts the word processor once the window has appeared (when
    // one is available); StartWordProcessorInBackground unless replaced.
    void SetBackgroundStart(std::function<void()> start);
    void SetWindowHook(WindowHook hook);
    // The modal dialogs of the main window; null: the program's own.
    void SetDialogs(std::shared_ptr<MainDialogs> dialogs);

    // The whole run, on the thread of the QApplication, which must exist.
    // Returns the exit code: kStopped after a start-up stop, otherwise the
    // result of the event loop (the main window quits with 1).
    int Run();

    // Valid while Run builds or runs the main window; null otherwise.
    Model* GetModel() const { return m_model.get(); }
    Templ* GetTempl() const { return m_templ.get(); }

    // The creators of the real program: Word (1) and Ichitaro (2), both
    // writing through the office backends, whose module is loaded from
    // `programFolder` and registered first, and both keeping the desktop
    // clipboard as they found it.
    static CreatorList StandardCreatorsIn(const QString& programFolder);
    // StandardCreatorsIn the folder of the running program.
    static CreatorList StandardCreators();
    // The same creators, for backends registered by the caller.
    static CreatorList WordProcessorCreators();
    // Loads the office module of the standard creators and launches the
    // office without waiting for it.
    static void StartWordProcessorInBackground();

    // Whether a run with the given start-up code goes on. Codes of 101 or
    // more stop after their warning; 11 goes on after its information box;
    // every other code goes on silently. `reason`, in the teacher's words,
    // goes under the message of 11 (why the user database cannot be used).
    static bool ReportStartCode(int code, const QString& reason = {});

private:
    static bool LoadOfficeModule();
    static void ForgetWordProcessorAvailability();
    void ReportUnreadableBooks();
    bool ScanTemplates();
    void RestoreTemplate();
    void RestoreSelection();
    int RunMainWindow();
    void SaveState();
    static void ReleaseSharedTables();

    Path m_path;
    CreatorSource m_creatorSource;
    WindowHook m_windowHook;
    std::function<void()> m_backgroundStart;
    std::shared_ptr<MainDialogs> m_dialogs;
    std::unique_ptr<Model> m_model;
    std::unique_ptr<Templ> m_templ;
};
