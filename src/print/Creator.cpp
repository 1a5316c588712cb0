#include "print/Creator.h"

#include "automation/AutomationError.h"

#include <QCoreApplication>
#include <QThread>
#include <QtDebug>
#include <algorithm>
#include <exception>

namespace Print {

namespace {

// Clears the in-progress flag however the run ends.
class RunningFlag {
public:
    explicit RunningFlag(std::atomic<bool>& flag)
        : m_flag(flag)
    {
    }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    std::atomic<bool>& m_flag;
};

// Steps a run reports besides its commands: opening the template, the
// placeholders, completing the document, handing it over.
constexpr int StepsAroundCommands = 4;

} // namespace

const QString Creator::TitlePlaceholder = QStringLiteral("@title");
const QString Creator::RangePlaceholder = QStringLiteral("@range");
const QString Creator::ClassPlaceholder = QStringLiteral("@class");

std::shared_ptr<Creator> Creator::Registered(const CreatorRegistry& registry, int type)
{
    return std::dynamic_pointer_cast<Creator>(registry.Find(type));
}

const QStringList& Creator::Marks()
{
    static const QStringList marks = {TitlePlaceholder, RangePlaceholder, ClassPlaceholder};
    return marks;
}

void Creator::SetClipboardBackupFactory(ClipboardBackupFactory factory)
{
    m_clipboardBackupFactory = std::move(factory);
}

int Creator::StepCount(const CmdList& commands)
{
    return static_cast<int>(commands.size()) + StepsAroundCommands;
}

bool Creator::Create(const CmdList& commands, const QString& templatePath, const QString& title,
    const QString& rangeText, const RunDestination& destination, RunObserver* observer)
{
    bool idle = false;
    if (!m_running.compare_exchange_strong(idle, true))
        return false;
    RunningFlag running(m_running);
    m_destination = destination;
    m_observer = observer;
    m_stepsDone = 0;
    m_stepsTotal = StepCount(commands);
    m_stopped = false;
    m_failure = {};

    std::unique_ptr<ClipboardBackup> clipboard;
    if (m_clipboardBackupFactory)
        clipboard = m_clipboardBackupFactory();
    if (clipboard)
        clipboard->Save();

    bool succeeded = false;
    try {
        succeeded = Run(commands, templatePath, title, rangeText);
    } catch (const std::exception& error) {
        qWarning("Print run ended by an error: %s", error.what());
        NoteFailure(error);
        AbortAfterError();
    } catch (...) {
        qWarning("Print run ended by an unknown error");
        AbortAfterError();
    }

    if (clipboard)
        clipboard->Restore();
    const bool finished = FinishRun();
    m_observer = nullptr;
    m_destination = {};
    return succeeded && finished;
}

bool Creator::Run(const CmdList& commands, const QString& templatePath, const QString& title, const QString& rangeText)
{
    if (!Open(templatePath))
        return false;
    if (!Step() || !WriteCommands(commands) || m_stopped)
        return AbortRun();
    QStringList filledIn{title, rangeText};
    for (const CmdPtr& command : commands) {
        if (command && command->kind == PageHeader && !command->text.isEmpty())
            filledIn << command->text;
    }
    if (!SetTitle(title) || !SetRange(rangeText) || !ClearMark(ClassPlaceholder) || PlaceholderLeft(filledIn)
        || !Step())
        return AbortRun();
    if (IsVertical())
        MakeDigitsUpright();
    if (!Complete() || !Step())
        return AbortRun();
    if (WritesToFile() && !SaveAs(m_destination.path, m_destination.format))
        return AbortRun();
    Step();
    return true;
}

// A mark the replacement missed would be printed as it stands on every
// paper. One that a filled-in text brings in itself is meant.
bool Creator::PlaceholderLeft(const QStringList& filledIn)
{
    for (const QString& mark : Marks()) {
        const bool broughtIn = std::any_of(filledIn.cbegin(), filledIn.cend(),
            [&mark](const QString& text) { return text.contains(mark, Qt::CaseInsensitive); });
        if (!broughtIn && Holds(mark)) {
            qWarning("\"%s\" is still in the document after its replacement", qPrintable(mark));
            Fail(RunFailure::Cause::MarkLeft, mark);
            return true;
        }
    }
    return false;
}

void Creator::Fail(RunFailure::Cause cause, const QString& subject)
{
    m_failure = {cause, subject};
}

// What the word processor said about the template, in the run's terms.
void Creator::NoteFailure(const std::exception& error)
{
    using Fault = Automation::AutomationError::DocumentFault;
    const auto* automation = dynamic_cast<const Automation::AutomationError*>(&error);
    if (automation == nullptr)
        return;
    switch (automation->Fault()) {
    case Fault::None: break;
    case Fault::Unreadable: Fail(RunFailure::Cause::TemplateUnreadable, automation->FaultSubject()); break;
    case Fault::NotATextDocument: Fail(RunFailure::Cause::NotATemplate, automation->FaultSubject()); break;
    case Fault::BeginsWithTable: Fail(RunFailure::Cause::BeginsWithTable); break;
    case Fault::MissingParagraphStyle: Fail(RunFailure::Cause::MissingStyle, automation->FaultSubject()); break;
    }
}

// A step that threw leaves a half-made document (the marks still in it)
// that the teacher must not take for a print: it is closed unsaved. A
// word processor that has gone away has nothing left to close.
void Creator::AbortAfterError()
{
    try {
        Abort();
    } catch (const std::exception& error) {
        qWarning("Discarding the document failed: %s", error.what());
    } catch (...) {
        qWarning("Discarding the document failed");
    }
}

bool Creator::ClearMark(const QString& /*mark*/)
{
    return true;
}

bool Creator::Holds(const QString& /*text*/)
{
    return false;
}

bool Creator::Step()
{
    ++m_stepsDone;
    if (m_observer && !m_stopped && !m_observer->Progress(m_stepsDone, m_stepsTotal))
        m_stopped = true;
    return !m_stopped;
}

void Creator::StillWorking()
{
    if (m_observer)
        m_observer->StillWorking();
}

bool Creator::SaveAs(const QString&, const QString&)
{
    return false;
}

bool Creator::AbortRun()
{
    Abort();
    return false;
}

// A Finish that throws leaves the document out of the user's reach (the
// application may still be hidden), so the run counts as failed.
bool Creator::FinishRun()
{
    try {
        Finish();
        return true;
    } catch (const std::exception& error) {
        qWarning("Finishing the print run failed: %s", error.what());
    } catch (...) {
        qWarning("Finishing the print run failed");
    }
    return false;
}

void Creator::Finish() { }

bool Creator::WriteCommands(const CmdList& commands)
{
    bool allWritten = true;
    for (const CmdPtr& command : commands) {
        if (command && !WriteCommand(*command))
            allWritten = false;
        ProcessPendingEvents();
        if (!Step())
            return false;
    }
    return allWritten;
}

// Only a run on the thread of the event loop keeps it going; a run on a
// worker thread leaves the loop to its own thread.
void Creator::ProcessPendingEvents()
{
    const QCoreApplication* application = QCoreApplication::instance();
    if (application != nullptr && application->thread() == QThread::currentThread())
        QCoreApplication::processEvents();
}

QString Creator::Decorate(int kind, const QString& text)
{
    switch (kind) {
    case QuestionHead: return QStringLiteral("【") + text + QStringLiteral("】");
    case ItemNumber:
    case AnswerNumber: return QLatin1Char('(') + text + QLatin1Char(')');
    default: return text;
    }
}

QString Creator::StyleName(int kind)
{
    switch (kind) {
    case QuestionHead: return QStringLiteral("設問");
    case ItemNumber: return QStringLiteral("問題");
    case AnswerNumber: return QStringLiteral("解答");
    case PrintId: return QStringLiteral("プリントID");
    default: return QStringLiteral("標準");
    }
}

} // namespace Print
