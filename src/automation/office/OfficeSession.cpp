#include "automation/office/OfficeSession.h"

#include "automation/AutomationError.h"
#include "automation/office/OfficeProfileSettings.h"
#include "automation/office/OfficeProfile.h"
#include "automation/office/UnoBootstrap.h"
#include "automation/office/UnoStrings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/implbase1.hxx>

#include <chrono>
#include <mutex>
#include <thread>
#include <csignal>
#include <unistd.h>

using namespace css;

namespace Office {
namespace {

// Notices on the bridge's own thread that the connection has gone.
class BridgeWatcher : public cppu::WeakImplHelper1<lang::XEventListener> {
public:
    explicit BridgeWatcher(std::shared_ptr<std::atomic<bool>> disposed)
        : m_disposed(std::move(disposed))
    {
    }
    void SAL_CALL disposing(const lang::EventObject&) override { m_disposed->store(true); }

private:
    std::shared_ptr<std::atomic<bool>> m_disposed;
};

QString UniquePipeName()
{
    static int counter = 0;
    return QStringLiteral("tavisko_%1_%2_%3").arg(::getpid()).arg(QDateTime::currentMSecsSinceEpoch()).arg(++counter);
}

std::mutex& SharedMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<OfficeSession>& SharedSession()
{
    static std::shared_ptr<OfficeSession> session;
    return session;
}

OfficeSession::Options& SharedOptions()
{
    static OfficeSession::Options options = OfficeSession::DefaultOptions();
    return options;
}

} // namespace

OfficeSession::Options OfficeSession::DefaultOptions()
{
    Options options;
    options.headless = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    options.profileDir = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/morvane-k/tavisko/office-profile");
    return options;
}

std::shared_ptr<OfficeSession> OfficeSession::Shared()
{
    std::lock_guard lock(SharedMutex());
    std::shared_ptr<OfficeSession>& session = SharedSession();
    if (!session)
        session = std::make_shared<OfficeSession>(SharedOptions());
    return session;
}

void OfficeSession::ConfigureShared(const Options& options)
{
    std::lock_guard lock(SharedMutex());
    SharedOptions() = options;
    std::shared_ptr<OfficeSession>& session = SharedSession();
    if (session && !session->m_connected)
        session.reset();
}

OfficeSession::OfficeSession(Options options)
    : m_options(std::move(options))
    , m_bridgeDisposed(std::make_shared<std::atomic<bool>>(false))
{
}

OfficeSession::~OfficeSession()
{
    Disconnect();
}

uno::Reference<uno::XComponentContext> OfficeSession::Context(const char* iid)
{
    if (!IsAlive())
        Connect(iid);
    return m_context;
}

uno::Reference<frame::XDesktop2> OfficeSession::Desktop(const char* iid)
{
    if (!IsAlive())
        Connect(iid);
    return m_desktop;
}

bool OfficeSession::IsAlive()
{
    if (!m_connected)
        return false;
    bool dead = m_bridgeDisposed->load();
    if (!dead && m_ownsOffice && m_process && !m_process->IsRunning())
        dead = true;
    if (dead)
        Disconnect();
    return !dead;
}

void OfficeSession::NoteFailure()
{
    IsAlive();
}

namespace {

Automation::AutomationError StartFailure(const char* iid, const QString& why)
{
    return Automation::AutomationError(Automation::AutomationError::ServerExecFailure, QString::fromLatin1(iid), why);
}

} // namespace

QString OfficeSession::Launch(const char* iid)
{
    const QString program = OfficeProcess::FindProgram();
    if (program.isEmpty())
        throw StartFailure(iid, QStringLiteral("LibreOffice (soffice) is not installed"));
    if (!QDir().mkpath(m_options.profileDir))
        throw StartFailure(iid, QStringLiteral("cannot create the office profile folder %1").arg(m_options.profileDir));
    // An office that cannot take the program's settings still starts, in
    // its own language.
    if (QString error; !OfficeProfile::Apply(m_options.profileDir, OfficeProfile::ProgramSettings(), &error))
        qWarning("%s", qUtf8Printable(error));
    const QString pipeName = UniquePipeName();
    const QString profileUrl = QUrl::fromLocalFile(m_options.profileDir).toString(QUrl::FullyEncoded);
    m_process = std::make_unique<OfficeProcess>();
    QString error;
    if (!m_process->Start(
            program, OfficeProcess::Arguments(pipeName, profileUrl, m_options.headless), &error, m_options.memoryLimit))
        throw StartFailure(iid, error);
    m_officeGroup.store(m_process->Pid());
    return pipeName;
}

void OfficeSession::StartInBackground()
{
    if (m_connected || !m_launchedPipe.isEmpty())
        return;
    try {
        m_launchedAt = std::chrono::steady_clock::now();
        m_launchedPipe = Launch("background start");
    } catch (const Automation::AutomationError&) {
        m_launchedPipe.clear();
    }
}

void OfficeSession::Connect(const char* iid)
{
    Disconnect();
    const auto fail = [iid](const QString& why) { return StartFailure(iid, why); };

    // An office launched in the background is used while its launcher
    // runs, or has handed over to an office already running (code 0).
    QString pipeName;
    auto started = std::chrono::steady_clock::now();
    if (!m_launchedPipe.isEmpty() && m_process && (m_process->IsRunning() || m_process->ExitCode() == 0)) {
        pipeName = m_launchedPipe;
        started = m_launchedAt;
    }
    m_launchedPipe.clear();
    if (pipeName.isEmpty())
        pipeName = Launch(iid);

    // The office takes a few seconds to open its pipe; a launcher that
    // ends with code 0 has handed over to an office already running on
    // this profile, which then opens the pipe instead.
    const auto deadline = started + std::chrono::milliseconds(m_options.startTimeoutMs);
    bool connected = false;
    QString lastError;
    while (!connected) {
        try {
            connected = TryConnect(pipeName);
        } catch (const uno::Exception& e) {
            lastError = ToQString(e.Message);
        }
        if (connected)
            break;
        if (!m_process->IsRunning() && m_process->ExitCode() != 0) {
            lastError = QStringLiteral("soffice ended with code %1").arg(m_process->ExitCode());
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            lastError = QStringLiteral("no answer from the office within %1 ms").arg(m_options.startTimeoutMs);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!connected) {
        m_process->Kill();
        Disconnect();
        throw fail(lastError);
    }
    m_ownsOffice = m_process->IsRunning();
    try {
        OfficeProfileSettings::Apply(m_context);
    } catch (const uno::Exception& e) {
        Terminate();
        throw fail(QStringLiteral("the office cannot be kept off the network: %1").arg(ToQString(e.Message)));
    }
    try {
        CheckWriterWorks();
    } catch (const uno::Exception& e) {
        Terminate();
        throw fail(QStringLiteral("the office cannot make a Writer document: %1").arg(ToQString(e.Message)));
    }
    ++m_startCount;
    m_lastStartSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

bool OfficeSession::TryConnect(const QString& pipeName)
{
    const uno::Reference<uno::XComponentContext> local = LocalContext();
    uno::Reference<connection::XConnection> link;
    try {
        link = connection::Connector::create(local)->connect(OUString("pipe,name=") + ToOUString(pipeName));
    } catch (const connection::NoConnectException&) {
        return false;
    }
    m_bridgeDisposed = std::make_shared<std::atomic<bool>>(false);
    uno::Reference<bridge::XBridge> bridge
        = bridge::BridgeFactory::create(local)->createBridge(OUString(), OUString("urp"), link, nullptr);
    uno::Reference<lang::XComponent>(bridge, uno::UNO_QUERY_THROW)
        ->addEventListener(new BridgeWatcher(m_bridgeDisposed));
    uno::Reference<uno::XComponentContext> context(
        bridge->getInstance(OUString("StarOffice.ComponentContext")), uno::UNO_QUERY_THROW);
    {
        std::lock_guard lock(m_abandonMutex);
        m_bridge = bridge;
    }
    m_context = context;
    m_desktop = frame::Desktop::create(context);
    m_connected = true;
    return true;
}

void OfficeSession::CheckWriterWorks()
{
    uno::Sequence<beans::PropertyValue> args(1);
    args[0].Name = OUString("Hidden");
    args[0].Value <<= true;
    uno::Reference<lang::XComponent> doc
        = m_desktop->loadComponentFromURL(OUString("private:factory/swriter"), OUString("_blank"), 0, args);
    if (!doc.is())
        throw uno::RuntimeException(OUString("no Writer document was made"));
    uno::Reference<util::XCloseable>(doc, uno::UNO_QUERY_THROW)->close(true);
}

bool OfficeSession::HasOpenDocuments()
{
    if (!IsAlive())
        return false;
    try {
        return m_desktop->getComponents()->createEnumeration()->hasMoreElements();
    } catch (const uno::Exception&) {
        NoteFailure();
        return false;
    }
}

// An office launched in the background and never connected to shows
// nothing to anyone: it is ended at once.
void OfficeSession::EndBackgroundLaunch()
{
    if (m_launchedPipe.isEmpty())
        return;
    m_launchedPipe.clear();
    if (m_process && !m_connected) {
        m_process->Kill();
        m_officeGroup.store(-1);
        m_process.reset();
    }
}

void OfficeSession::Terminate()
{
    EndBackgroundLaunch();
    try {
        SetCopiedContent(nullptr, QString(), nullptr);
    } catch (const uno::Exception&) {
    }
    if (m_connected && !m_bridgeDisposed->load()) {
        try {
            m_desktop->terminate();
        } catch (const uno::Exception&) {
            // The bridge goes down with the office; that is what we want.
        }
        // The office closes the connection as it goes; until then a new
        // office on the same profile would hand over to this dying one.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!m_bridgeDisposed->load() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const bool owned = m_ownsOffice;
    Disconnect();
    if (owned && m_process && !m_process->WaitForExit(10000))
        m_process->Kill();
    m_officeGroup.store(-1);
    m_process.reset();
    if (m_options.disposableProfile)
        QDir(m_options.profileDir).removeRecursively();
}

void OfficeSession::Release()
{
    if (!m_connected) {
        EndBackgroundLaunch();
        if (m_options.disposableProfile)
            QDir(m_options.profileDir).removeRecursively();
        return;
    }
    if (m_options.headless || !HasOpenDocuments())
        Terminate();
    else
        Detach();
}

void OfficeSession::Abandon()
{
    const pid_t group = m_officeGroup.exchange(-1);
    if (group > 0)
        ::kill(-group, SIGKILL);
    uno::Reference<bridge::XBridge> bridge;
    {
        std::lock_guard lock(m_abandonMutex);
        bridge = m_bridge;
    }
    // An office reached through the profile is not in that group; letting
    // go of its connection still frees the calls that wait on it.
    if (bridge.is()) {
        try {
            uno::Reference<lang::XComponent>(bridge, uno::UNO_QUERY_THROW)->dispose();
        } catch (const uno::Exception&) {
        }
    }
}

void OfficeSession::Detach()
{
    m_launchedPipe.clear();
    Disconnect();
    m_officeGroup.store(-1);
    m_process.reset();
}

void OfficeSession::SetCopiedContent(const uno::Reference<datatransfer::XTransferable>& content, const QString& text,
    const uno::Reference<uno::XInterface>& source)
{
    m_copied = content;
    m_copiedText = content.is() ? text : QString();
    m_copiedSource = content.is() ? source : nullptr;
}

void OfficeSession::ForgetCopiedContentOf(const uno::Reference<uno::XInterface>& source)
{
    if (m_copiedSource.is() && m_copiedSource == source)
        SetCopiedContent(nullptr, QString(), nullptr);
}

void OfficeSession::Disconnect()
{
    m_copied.clear();
    m_copiedText.clear();
    m_copiedSource.clear();
    m_desktop.clear();
    m_context.clear();
    uno::Reference<bridge::XBridge> bridge;
    {
        std::lock_guard lock(m_abandonMutex);
        bridge = m_bridge;
        m_bridge.clear();
    }
    if (bridge.is()) {
        try {
            uno::Reference<lang::XComponent>(bridge, uno::UNO_QUERY_THROW)->dispose();
        } catch (const uno::Exception&) {
        }
    }
    m_connected = false;
    m_ownsOffice = false;
}

} // namespace Office
