#include "app/Application.h"

#include "desktop/CClipboardBackup.h"
#include "desktop/GaijiFont.h"
#include "desktop/MessageBox.h"
#include "app/TerminationSignals.h"
#include "automation/OfficeModule.h"
#include "automation/SpreadsheetReaders.h"
#include "history/HistoryStore.h"
#include "markup/GaijiMapper.h"
#include "markup/InstalledFonts.h"
#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "print/CreatorTaro.h"
#include "print/CreatorWord.h"
#include "print/Templ.h"
#include "quiz/Model.h"
#include "quiz/ModelSerializer.h"
#include "res/ResourceIds.h"
#include "ui/AfterFirstPaint.h"
#include "ui/CStaticLink.h"
#include "ui/DlgMain.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPointer>
#include <QWindow>

#include <memory>
#include <utility>

namespace {

// A dialog open over the window (the range dialog, a message) would keep
// the program running once the window is closed: each is closed as its
// Cancel would close it.
void CloseModalDialogs()
{
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
}

// The first code that stops the start.
constexpr int FirstStopCode = 101;

// Word before Ichitaro: the order in which templates are scanned.
constexpr int WordProcessors[] = {Model::kWord, Model::kIchitaro};

// Keeps QApplication's quit-on-last-window-closed off for the run: only the
// main window ends the loop, with its own result, and a message box closed
// before the loop runs must not leave a quit behind for it.
class QuitOnLastWindowClosedOff {
public:
    QuitOnLastWindowClosedOff()
        : m_previous(QApplication::quitOnLastWindowClosed())
    {
        QApplication::setQuitOnLastWindowClosed(false);
    }
    ~QuitOnLastWindowClosedOff() { QApplication::setQuitOnLastWindowClosed(m_previous); }
    QuitOnLastWindowClosedOff(const QuitOnLastWindowClosedOff&) = delete;
    QuitOnLastWindowClosedOff& operator=(const QuitOnLastWindowClosedOff&) = delete;

private:
    bool m_previous;
};

} // namespace

Application::Application(const Path& path)
    : m_path(path)
    , m_creatorSource([this] { return StandardCreatorsIn(m_path.ProgramFolder()); })
    , m_backgroundStart(&Application::StartWordProcessorInBackground)
{
}

Application::~Application() = default;

void Application::SetCreatorSource(CreatorSource source)
{
    m_creatorSource = std::move(source);
    m_backgroundStart = {};
}

void Application::SetBackgroundStart(std::function<void()> start)
{
    m_backgroundStart = std::move(start);
}

void Application::StartWordProcessorInBackground()
{
    if (LoadOfficeModule())
        Automation::OfficeModule::Shared().StartInBackground();
}

bool Application::LoadOfficeModule()
{
    Automation::OfficeModule& office = Automation::OfficeModule::Shared();
    if (!office.Load()) {
        // Announced as available from its files alone: the next question
        // about it hears that it is not.
        ForgetWordProcessorAvailability();
        return false;
    }
    // Teachers' sheets (ODS, XLSX) are read by Calc in the module's office.
    using ReaderEntry = SpreadsheetReader* (*)();
    if (const auto reader = reinterpret_cast<ReaderEntry>(office.Entry("tv_office_spreadsheet_reader")))
        SpreadsheetReaders::SetDefault(reader());
    return true;
}

void Application::ForgetWordProcessorAvailability()
{
    Print::CreatorWord::ForgetAvailability();
    Print::CreatorTaro::ForgetAvailability();
}

void Application::SetWindowHook(WindowHook hook)
{
    m_windowHook = std::move(hook);
}

void Application::SetDialogs(std::shared_ptr<MainDialogs> dialogs)
{
    m_dialogs = std::move(dialogs);
}

Application::CreatorList Application::StandardCreators()
{
    return StandardCreatorsIn(Path().ProgramFolder());
}

Application::CreatorList Application::StandardCreatorsIn(const QString& programFolder)
{
    // The creators' availability probes go through the automation
    // registry, so the office must be registered there first. Where its
    // module, the office program or the office's libraries are missing,
    // nothing is registered and no word processor is available. The module
    // itself is loaded once the window is up (or when a print run needs it
    // before).
    Automation::OfficeModule::Shared().Announce(programFolder);
    return WordProcessorCreators();
}

Application::CreatorList Application::WordProcessorCreators()
{
    auto word = std::make_shared<Print::CreatorWord>();
    word->SetClipboardBackupFactory(CClipboardBackup::Factory());
    auto taro = std::make_shared<Print::CreatorTaro>();
    taro->SetClipboardBackupFactory(CClipboardBackup::Factory());
    return {{Model::kWord, word}, {Model::kIchitaro, taro}};
}

bool Application::ReportStartCode(int code, const QString& reason)
{
    switch (code) {
    case Model::kInitNoUserDatabase:
        if (reason.isEmpty())
            ShowInformation(Res::IDS_ERR_USER_DATABASE);
        else
            ShowInformation(QStringLiteral("%s\n%s"), Res::String(Res::IDS_ERR_USER_DATABASE), reason);
        return true;
    case Model::kInitNoBookFile: ShowWarning(Res::IDS_ERR_NO_BOOK_DATABASE); return false;
    case Model::kInitNoBook: ShowWarning(Res::IDS_ERR_LOAD_BOOK_DATABASE); return false;
    case Model::kInitNoWordProcessor: ShowWarning(Res::IDS_ERR_NO_WORD_PROCESSOR); return false;
    default:
        if (code < FirstStopCode)
            return true;
        ShowWarning(Res::IDS_ERR_APPLICATION, code);
        return false;
    }
}

int Application::Run()
{
    const QuitOnLastWindowClosedOff quitOnlyFromMainWindow;
    int result = kStopped;
    m_model = std::make_unique<Model>();
    if (m_creatorSource) {
        for (auto& [type, creator] : m_creatorSource())
            m_model->RegisterCreator(type, std::move(creator));
    }
    m_model->SetTestedKeywords(HistoryStore::TestedKeywords(m_path.HistoryDatabasePath()));
    const int code = m_model->Initialize(m_path);
    const bool started = ReportStartCode(code, m_model->Db().UserError().Reason());
    if (started)
        ReportUnreadableBooks();
    if (started && ScanTemplates()) {
        RestoreTemplate();
        RestoreSelection();
        result = RunMainWindow();
    }
    m_templ.reset();
    m_model.reset(); // the content, the creators and both database connections
    return result;
}

// Book files passed over at start-up, so the teacher knows why a book is
// missing from where the program started.
void Application::ReportUnreadableBooks()
{
    QStringList files;
    for (const QString& file : m_model->Storage().UnreadableFiles())
        files.append(QDir::toNativeSeparators(file));
    if (!files.isEmpty())
        ShowWarning(Res::IDS_ERR_BOOK_FILE_UNREADABLE, files.join(u'\n'));
}

// Both catalogues are listed (Word first). A word processor that cannot
// run here needs no templates: only a usable one without any stops the
// start, so a teacher with one word processor is not held up by the
// missing templates of the other.
bool Application::ScanTemplates()
{
    m_templ = std::make_unique<Templ>(m_path);
    const int available = m_model->AvailableApplications();
    bool complete = true;
    for (int type : WordProcessors) {
        const bool found = m_templ->Scan(type);
        if (!found && (available & type) != 0)
            complete = false;
    }
    if (!complete) {
        ShowWarning(Res::IDS_ERR_NO_TEMPLATE);
        m_templ.reset();
    }
    return complete;
}

void Application::RestoreTemplate()
{
    // A name the catalogue does not list is refused and the first stays.
    m_templ->Select(m_model->Application(), m_model->ReadTemplateName());
}

void Application::RestoreSelection()
{
    if (!m_model->Db().UserEnabled())
        return;
    const int leftOut = ModelSerializer(*m_model, m_model->Db()).Load();
    if (leftOut > 0)
        ShowInformation(Res::IDS_PRINTS_LEFT_OUT, ModelSerializer::kMaxRestoredPrints + leftOut,
            ModelSerializer::kMaxRestoredPrints);
}

int Application::RunMainWindow()
{
    // Links (the About box's) open in the browser the way help does.
    CStaticLink::SetDefaultOpener([this](const QString& target) { return m_path.OpenInBrowser(target); });
    // The window appears first; its print pages follow its first paint.
    auto window = std::make_unique<DlgMain>(
        *m_model, *m_templ, m_path, m_dialogs, nullptr, DlgMain::PagesAtStart::AfterFirstPaint);
    // The external-character font is made known before the lists that draw
    // it are built and before the office starts, both after the window's
    // first paint: nothing asks which fonts are installed before then.
    const auto installFont = [folder = m_path.ProgramFolder(), done = std::make_shared<bool>(false)] {
        if (!std::exchange(*done, true))
            GaijiFont::Install(folder);
    };
    window->SetBeforePages(installFont);
    if (m_windowHook)
        m_windowHook(*this, *window);
    // Logout, shutdown or Ctrl+C in a terminal close the window as the
    // user would, so the state below is still saved.
    const TerminationSignals termination([window = QPointer<DlgMain>(window.get())](int) {
        CloseModalDialogs();
        if (window)
            window->close();
    });
    const bool wordProcessorAvailable = m_model->AvailableApplications() != 0;
    window->show();
    // From here on, asking whether the announced office is there loads its
    // module, so that one that cannot load is refused with its message.
    if (Automation::OfficeModule::Shared().EndDeferral())
        ForgetWordProcessorAvailability();
    // The word processor starts while the teacher looks at the window, not
    // before it appears; a print run then finds it running or nearly so.
    if (m_backgroundStart && wordProcessorAvailable && window->windowHandle()) {
        new AfterFirstPaint(window->windowHandle(), [installFont, start = m_backgroundStart] {
            installFont();
            start();
        });
    }
    const int result = QApplication::exec();
    SaveState();
    ReleaseSharedTables();
    window.reset();
    CStaticLink::SetDefaultOpener({});
    return result;
}

// One transaction, so a file locked by another program costs one wait at
// exit, not one per value; the teacher hears when nothing could be kept.
void Application::SaveState()
{
    DataBase& db = m_model->Db();
    if (!db.UserEnabled() || !db.UserWritable())
        return; // told at start-up (603)
    const int application = m_model->Application();
    ModelSerializer serializer(*m_model, db);
    const bool saved = serializer.Save([&] {
        m_model->WriteWpa(application);
        m_model->WriteTemplateName(m_templ->Selected(application));
    });
    if (saved)
        return;
    const QString reason = serializer.Error().Reason();
    if (reason.isEmpty())
        ShowWarning(Res::IDS_ERR_SAVE_STATE);
    else
        ShowWarning(Res::IDS_ERR_SAVE_STATE_BECAUSE, reason);
}

void Application::ReleaseSharedTables()
{
    GaijiMapper::ReleaseTable();
    InstalledFonts::Shared().Clear();
}
