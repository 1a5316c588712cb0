#pragma once

#include "app/Application.h"
#include "quiz/Path.h"

#include <QLockFile>
#include <QString>
#include <QStringList>

class Model;
struct RunRecord;

// The program's command line, which makes prints without a window:
//   tavisko --print-to FILE [--template NAME] [--auto-select]
// writes the prints of the saved selection (book, range, question formats
// and prints, as the window left them) into FILE, with the saved template
// or the template NAME (bundled or in the teacher's template folder), in the format its
// extension names (.pdf, .odt, .docx, .doc), through the creator of the
// template's word processor. --auto-select first fills the prints by
// automatic selection with the saved settings (avoiding what each class
// was tested on lately when they say so; standard error then says how
// many repeats had to be taken). Also --help and --version,
// and --history [--csv], which write the record of print runs to standard
// output (a list of the runs, or every sub-question as CSV).
//
//   tavisko --export-to FILE [--auto-select]
// writes the same prints for learning platforms and tablets instead, in
// the export format its extension names (.html .xml .gift .zip .csv),
// without the office; it takes no template.
//
// It needs no display, takes no single-instance lock and saves nothing, so
// it runs beside an open window. Every failure leaves nothing at FILE and
// ends with one line on standard error (a failed print run: a second line
// saying why; a wrong command: the usage after it) and a non-zero status
// (Status).
class PrintCommandLine {
public:
    enum Status {
        kSucceeded = 0,
        kRunFailed = 1,   // the print run failed, was too large, or the selection could not be filled
        kBadUsage = 2,    // unknown option, no FILE, an extension of no known format
        kMissing = 3,     // no book, no saved selection, nothing to print, unknown template
        kNoOffice = 4,    // no word processor to write with
        kCannotWrite = 5, // FILE cannot be written
        kCancelled = 6,   // a termination signal ended the run
        kNoHistory = 7,   // the history file cannot be read
    };

    // Whether the arguments ask for the command line rather than the window:
    // any option with two dashes (an unknown one gets the usage), or "-h".
    static bool Applies(const QStringList& arguments);

    explicit PrintCommandLine(
        const Path& path = Path(), Application::CreatorSource creators = &Application::StandardCreators);

    // No progress of the word processor for this long fails the run.
    void SetStallLimit(int milliseconds) { m_stallLimitMs = milliseconds; }

    // The whole command (arguments[0] is the program); writes help and
    // version to standard output, failures to standard error.
    int Run(const QStringList& arguments);

private:
    struct Options {
        QString file;
        QString exportFile;
        QString templateName;
        bool autoSelect = false;
        bool history = false;
        bool csv = false;
        bool help = false;
        bool version = false;
    };
    bool Parse(const QStringList& arguments, Options& options, QString* error) const;
    int PrintTo(const Options& options);
    int History(bool csv);
    // Records a finished run in the history; a failure is told on stderr.
    void Record(const RunRecord& record) const;
    int ExportTo(const Options& options);
    int InitializeModel(Model& model);
    int ChooseTemplate(Model& model, const QString& name, int& type, QString& templatePath);
    int RestoreSelection(Model& model, bool autoSelect);
    // Each line of a message that says what failed and, below it, why
    // (a print run's failure) is a line of its own; other messages are one.
    enum class LineBreaks { Joined, Kept };
    int Fail(int status, const QString& message, LineBreaks breaks = LineBreaks::Joined);
    // Takes `turn`, waiting (a bounded time) while another run holds it.
    int WaitForTurn(QLockFile& turn);

    // Longer than any run the stall limit lets live.
    static constexpr int kTurnWaitMs = 30 * 60 * 1000;

    Path m_path;
    Application::CreatorSource m_creators;
    int m_stallLimitMs;
};
