#include "ui/PrintRunControl.h"

#include "desktop/CClipboardBackup.h"
#include "desktop/MessageBox.h"
#include "export/OutputFile.h"
#include "export/RunLimits.h"
#include "history/HistoryRecorder.h"
#include "model/DataBase.h"
#include "print/TemplateLinks.h"
#include "quiz/Model.h"
#include "quiz/ModelSerializer.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"

#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

QString PrintRunControl::TooLargeMessage(const RunLimits::Verdict& verdict)
{
    int detail = Res::IDS_TOO_MANY_COMMANDS;
    if (verdict.exceeded == RunLimits::Exceeded::TextLength)
        detail = Res::IDS_TEXT_TOO_LONG;
    else if (verdict.exceeded == RunLimits::Exceeded::TotalText)
        detail = Res::IDS_TOO_MUCH_TEXT;
    return FormatText(
        Res::String(Res::IDS_ERR_PRINT_TOO_LARGE), {FormatText(Res::String(detail), {verdict.actual, verdict.limit})});
}

PrintRunControl::PrintRunControl(Model& model, QStatusBar& statusBar, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_progress(new QProgressBar(&statusBar))
    , m_cancel(new QPushButton(Res::Text::PrintRunCancel, &statusBar))
{
    m_progress->setTextVisible(true);
    m_progress->setFormat(QStringLiteral("%v / %m"));
    m_progress->setMaximumWidth(220);
    statusBar.addPermanentWidget(m_progress);
    statusBar.addPermanentWidget(m_cancel);
    m_progress->hide();
    m_cancel->hide();
    connect(m_cancel, &QPushButton::clicked, this, &PrintRunControl::Cancel);
}

PrintRunControl::~PrintRunControl() = default;

bool PrintRunControl::IsRunning() const
{
    return m_job != nullptr;
}

bool PrintRunControl::Start(PrintRequest request, const QString& pdfFile)
{
    if (IsRunning())
        return false;
    SaveSelection();
    const RunLimits::Verdict verdict = RunLimits::Check(request.commands, request.title, request.rangeText);
    if (!verdict.Allowed()) {
        ShowWarning(QStringLiteral("%s"), TooLargeMessage(verdict));
        return false;
    }
    if (!pdfFile.isEmpty()) {
        m_output = std::make_unique<OutputFile>(pdfFile);
        QString error;
        if (!m_output->Prepare(&error)) {
            m_output.reset();
            ShowWarning(Res::IDS_ERR_SAVE_PDF, error);
            return false;
        }
        request.destination = {m_output->TemporaryPath(), QStringLiteral("pdf")};
    }
    // The run's thread cannot reach the clipboard; it is kept from here.
    m_clipboard = std::make_unique<CClipboardBackup>();
    m_clipboard->Save();

    m_record = request.record;
    m_linkNotice = Print::TemplateLinks::Notice(Print::TemplateLinks::Find(request.templatePath));
    m_job = std::make_unique<PrintJob>(std::move(request));
    m_job->SetStallLimit(m_stallLimitMs);
    connect(m_job.get(), &PrintJob::Progress, this, &PrintRunControl::ShowProgress);
    connect(m_job.get(), &PrintJob::Finished, this, &PrintRunControl::Finished);
    ShowStatus(m_output ? Res::IDS_SAVING_PDF : Res::IDS_CREATING_PRINTS);
    ShowProgress(0, m_job->StepsTotal());
    m_progress->show();
    m_cancel->setEnabled(true);
    m_cancel->show();
    if (m_onRunning)
        m_onRunning(true);
    m_job->Start();
    return true;
}

void PrintRunControl::Record(const QString& file)
{
    m_record.output = file;
    HistoryRecorder(m_model.Paths().HistoryDatabasePath(), [](int id, const QString& argument) {
        ShowWarning(id, argument);
    }).Record(m_record);
}

void PrintRunControl::Cancel()
{
    if (!m_job)
        return;
    m_cancel->setEnabled(false);
    m_job->Cancel();
}

// Written now, not only at exit: whatever becomes of the run or the
// program, the teacher's selection is kept.
void PrintRunControl::SaveSelection()
{
    if (m_model.Db().UserEnabled())
        ModelSerializer(m_model, m_model.Db()).Save();
}

void PrintRunControl::ShowProgress(int done, int total)
{
    m_progress->setMaximum(total);
    m_progress->setValue(done);
}

void PrintRunControl::Finished(PrintJob::Outcome outcome)
{
    m_progress->hide();
    m_cancel->hide();
    if (m_clipboard)
        m_clipboard->Restore();
    m_clipboard.reset();
    QString error;
    const bool toFile = m_output != nullptr;
    const bool written = outcome == PrintJob::Outcome::Succeeded && (!toFile || m_output->Commit(&error));
    const QString file = toFile ? m_output->Target() : QString();
    const Print::RunFailure failure = m_job->Failure();
    m_output.reset();
    // The job is deleted once its signal has returned.
    m_job.release()->deleteLater();

    if (outcome == PrintJob::Outcome::Cancelled)
        ShowStatus(Res::IDS_PRINT_CANCELLED);
    else if (written && toFile)
        ShowStatus(Res::IDS_SAVED_PDF, file);
    else
        ShowStatus(Res::IDS_READY);
    if (m_onRunning)
        m_onRunning(false);
    if (written)
        Record(file);
    if (written && !m_linkNotice.isEmpty())
        ShowWarning(QStringLiteral("%s"), m_linkNotice);
    if (outcome == PrintJob::Outcome::Succeeded && !written)
        ShowWarning(Res::IDS_ERR_SAVE_PDF, error);
    else if (outcome == PrintJob::Outcome::Failed || outcome == PrintJob::Outcome::Stalled)
        ShowWarning(QStringLiteral("%s"), failure.Message());
}
