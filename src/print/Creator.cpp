#include "print/Creator.h"

#include <QCoreApplication>
#include <QtDebug>
#include <exception>

namespace Print {

namespace {

// Clears the in-progress flag however the run ends.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace

const QString Creator::TitlePlaceholder = QStringLiteral("@title");
const QString Creator::RangePlaceholder = QStringLiteral("@range");

void Creator::SetClipboardBackupFactory(ClipboardBackupFactory factory)
{
    m_clipboardBackupFactory = std::move(factory);
}

bool Creator::Create(const CmdList& commands, const QString& templatePath, const QString& title,
                     const QString& rangeText)
{
    if (m_running)
        return false;
    RunningFlag running(m_running);

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
    } catch (...) {
        qWarning("Print run ended by an unknown error");
    }

    if (clipboard)
        clipboard->Restore();
    const bool finished = FinishRun();
    return succeeded && finished;
}

bool Creator::Run(const CmdList& commands, const QString& templatePath, const QString& title,
                  const QString& rangeText)
{
    if (!Open(templatePath))
        return false;
    if (!WriteCommands(commands))
        return AbortRun();
    if (!SetTitle(title) || !SetRange(rangeText) || PlaceholderLeft(title, rangeText))
        return AbortRun();
    if (IsVertical())
        MakeDigitsUpright();
    if (!Complete())
        return AbortRun();
    return true;
}

// A placeholder the replacement missed would be printed as it stands on
// every paper. One that the title or range text brings in itself is meant.
bool Creator::PlaceholderLeft(const QString& title, const QString& rangeText)
{
    for (const QString& placeholder : {TitlePlaceholder, RangePlaceholder}) {
        const bool broughtIn = title.contains(placeholder, Qt::CaseInsensitive) ||
                               rangeText.contains(placeholder, Qt::CaseInsensitive);
        if (!broughtIn && Holds(placeholder)) {
            qWarning("\"%s\" is still in the document after its replacement", qPrintable(placeholder));
            return true;
        }
    }
    return false;
}

bool Creator::Holds(const QString& /*text*/)
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

void Creator::Finish()
{
}

bool Creator::WriteCommands(const CmdList& commands)
{
    bool allWritten = true;
    for (const CmdPtr& command : commands) {
        if (command && !WriteCommand(*command))
            allWritten = false;
        ProcessPendingEvents();
    }
    return allWritten;
}

void Creator::ProcessPendingEvents()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

QString Creator::Decorate(int kind, const QString& text)
{
    switch (kind) {
    case QuestionHead:
        return QStringLiteral("【") + text + QStringLiteral("】");
    case ItemNumber:
    case AnswerNumber:
        return QLatin1Char('(') + text + QLatin1Char(')');
    default:
        return text;
    }
}

QString Creator::StyleName(int kind)
{
    switch (kind) {
    case QuestionHead:
        return QStringLiteral("設問");
    case ItemNumber:
        return QStringLiteral("問題");
    case AnswerNumber:
        return QStringLiteral("解答");
    case PrintId:
        return QStringLiteral("プリントID");
    default:
        return QStringLiteral("標準");
    }
}

} // namespace Print
