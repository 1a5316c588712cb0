#pragma once

#include "export/PrintJob.h"
#include "export/RunLimits.h"
#include "history/RunRecord.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class CClipboardBackup;
class Model;
class OutputFile;
class QProgressBar;
class QPushButton;
class QStatusBar;

// The print runs of the main window, into Writer or into a PDF file. A
// run goes on a thread of its own (PrintJob) while the window keeps
// answering; the status bar shows its progress (steps done of all) and a
// cancel button. Before a run starts the teacher's selection is saved, so
// that nothing that happens to the run can lose it, and a run beyond the
// limits (RunLimits) is refused with a message before the word processor
// is touched.
class PrintRunControl : public QObject {
    Q_OBJECT

public:
    // `statusBar` receives the progress bar and the cancel button.
    PrintRunControl(Model& model, QStatusBar& statusBar, QObject* parent = nullptr);
    ~PrintRunControl() override;

    // Runs the prints into the word processor (shown to the teacher at the
    // end), or into `pdfFile` when one is given (the word processor never
    // shown). False when the run did not start (refused, or one is going on).
    bool Start(PrintRequest request, const QString& pdfFile = {});
    void Cancel();
    bool IsRunning() const;
    // The run going on; null between runs.
    PrintJob* Job() const { return m_job.get(); }

    // Told when a run starts (true) and when it has ended (false).
    void SetRunningHandler(std::function<void(bool running)> handler) { m_onRunning = std::move(handler); }
    // No progress for this long gives up on the word processor (tests).
    void SetStallLimit(int milliseconds) { m_stallLimitMs = milliseconds; }

    // What the teacher is told of a run beyond the limits.
    static QString TooLargeMessage(const RunLimits::Verdict& verdict);

    QProgressBar* ProgressBar() const { return m_progress; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    void SaveSelection();
    void ShowProgress(int done, int total);
    void Finished(PrintJob::Outcome outcome);
    // Keeps the finished run in the teacher's history.
    void Record(const QString& file);

    Model& m_model;
    QProgressBar* m_progress;
    QPushButton* m_cancel;
    std::unique_ptr<PrintJob> m_job;
    RunRecord m_record;
    // What the run tells once it has made its prints: the template's links
    // that were not followed (TemplateLinks); empty for nothing.
    QString m_linkNotice;
    std::unique_ptr<OutputFile> m_output;
    std::unique_ptr<CClipboardBackup> m_clipboard;
    std::function<void(bool)> m_onRunning;
    int m_stallLimitMs = PrintJob::DefaultStallLimitMs;
};
