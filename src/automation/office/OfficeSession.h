#pragma once

#include "automation/office/OfficeProcess.h"

#include <QString>

#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <atomic>
#include <chrono>
#include <mutex>
#include <memory>

namespace Office {

// The connection to one LibreOffice process, shared by every automation
// backend ("Word.Application", "JXW.Application") so that the program
// runs one office at most. The office is started on first use with a pipe
// and a profile folder of the program's own, and started afresh on the
// next use after it has died or been ended.
class OfficeSession {
public:
    struct Options {
        bool headless = true; // no windows (always so without a display)
        QString profileDir;   // the office's own profile folder
        int startTimeoutMs = 30000;
        // The office's address space, in bytes (0: no limit); see
        // OfficeProcess::Start.
        qint64 memoryLimit = 0;
        // Whether the profile folder is the session's alone, removed when
        // the office is ended.
        bool disposableProfile = false;
    };

    // Headless when neither DISPLAY nor WAYLAND_DISPLAY is set; the profile
    // under the XDG cache home.
    static Options DefaultOptions();

    // The session that the backends share, made with DefaultOptions or
    // with the options given to ConfigureShared before its first use.
    static std::shared_ptr<OfficeSession> Shared();
    static void ConfigureShared(const Options& options);

    explicit OfficeSession(Options options);
    ~OfficeSession();
    OfficeSession(const OfficeSession&) = delete;
    OfficeSession& operator=(const OfficeSession&) = delete;

    // Whether documents made from now on use the program's routines in the
    // office (OfficeScript) where it runs them; when not, every step goes to
    // the office on its own, as to an office that cannot run them (to
    // compare both ways).
    void SetRoutinesAllowed(bool allowed) { m_routinesAllowed = allowed; }
    bool RoutinesAllowed() const { return m_routinesAllowed; }

    // The office's component context and desktop, starting and connecting
    // the office when there is no live connection. Raises an
    // AutomationError (ServerExecFailure, on interface `iid`) when the
    // office cannot be started or reached.
    css::uno::Reference<css::uno::XComponentContext> Context(const char* iid);
    css::uno::Reference<css::frame::XDesktop2> Desktop(const char* iid);

    // Launches the office without waiting for it (when there is no
    // connection and no launch under way); the next Context or Desktop
    // connects to it instead of starting another. Never throws: a launch
    // that fails is retried, and reported, by the next connection.
    void StartInBackground();

    // Whether a connection is held and still answers (a dead office is
    // noticed here and the connection dropped).
    bool IsAlive();
    // After a failed call: drop the connection when the office has died.
    void NoteFailure();

    // Whether the office of the current connection was started by this
    // session (rather than reached through a running office of the same
    // profile), and its launcher's process id (-1 when none).
    bool StartedOffice() const { return m_connected && m_ownsOffice; }
    pid_t LauncherPid() const { return m_process ? m_process->Pid() : -1; }
    // The most memory the office started by this session has held (see
    // OfficeProcess::PeakMemory); 0 when it is not running.
    qint64 PeakMemory() const { return m_process ? m_process->PeakMemory() : 0; }
    const Options& GetOptions() const { return m_options; }

    // Whether any document is open in the office.
    bool HasOpenDocuments();

    // Ends the office (after closing nothing: callers close their
    // documents first). The profile is the program's own, so an office
    // reached on it (one left running by an earlier run) is ended too.
    void Terminate();
    // At program end: ends the office when it is headless or shows no
    // document; one that shows documents to the teacher keeps running
    // and is only let go (Detach).
    void Release();
    // From any thread: ends a stuck office at once (its whole process
    // group) and drops the connection under the calls waiting on it, which
    // then fail. The next use starts a fresh office.
    void Abandon();
    // Lets go of the office without ending it. The next use of the
    // session reaches it again through the profile (or starts a new one).
    void Detach();

    // What Selection.Paste inserts: a formatted copy kept inside the office
    // (never on the system clipboard), with its plain text in the positions'
    // terms (paragraph marks as "\r") and the document it was copied from.
    // An empty text means nothing to paste.
    void SetCopiedContent(const css::uno::Reference<css::datatransfer::XTransferable>& content, const QString& text,
        const css::uno::Reference<css::uno::XInterface>& source);
    // Drops the copy when it came from `source`, which is about to close:
    // Writer cannot release a copy whose document has gone.
    void ForgetCopiedContentOf(const css::uno::Reference<css::uno::XInterface>& source);
    css::uno::Reference<css::datatransfer::XTransferable> CopiedContent() const { return m_copied; }
    const QString& CopiedText() const { return m_copiedText; }

    // How often an office was started, and how long the last start took
    // (from launching to a working connection), for diagnostics.
    int StartCount() const { return m_startCount; }
    double LastStartSeconds() const { return m_lastStartSeconds; }

private:
    void Connect(const char* iid);
    bool TryConnect(const QString& pipeName);
    void CheckWriterWorks();
    void Disconnect();

    // Starts the office process on a new pipe; throws AutomationError.
    QString Launch(const char* iid);
    void EndBackgroundLaunch();

    Options m_options;
    std::unique_ptr<OfficeProcess> m_process;
    // The pipe of an office launched in the background and not yet
    // connected to (empty: none), and when it was launched.
    QString m_launchedPipe;
    std::chrono::steady_clock::time_point m_launchedAt;
    bool m_connected = false;
    bool m_ownsOffice = false;
    css::uno::Reference<css::bridge::XBridge> m_bridge;
    css::uno::Reference<css::uno::XComponentContext> m_context;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
    css::uno::Reference<css::datatransfer::XTransferable> m_copied;
    QString m_copiedText;
    css::uno::Reference<css::uno::XInterface> m_copiedSource;
    std::shared_ptr<std::atomic<bool>> m_bridgeDisposed;
    // What Abandon reaches from another thread: the process group of the
    // office started last, and the bridge (guarded by the mutex).
    std::atomic<pid_t> m_officeGroup{-1};
    std::mutex m_abandonMutex;
    int m_startCount = 0;
    double m_lastStartSeconds = 0;
    bool m_routinesAllowed = true;
};

} // namespace Office
