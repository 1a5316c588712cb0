#pragma once

#include "platformexport/ExportFormat.h"

#include <QString>

#include <vector>

class Model;
class QWidget;
class QuestionUnit;
class Sentence;
struct AutoSelectOptions;
struct PrintOptions;

// The modal dialogs the main window opens from its commands, each owned by
// `owner` and run to its end. The main window does what comes around them
// (refreshing its views, storing what they return); each returns true
// when the user confirmed (OK). StandardDialogs opens the program's own
// dialogs; tests put their own answers in their place.
class MainDialogs {
public:
    virtual ~MainDialogs() = default;

    // The book dialog; on OK it selects the chosen book in the model itself.
    virtual bool ChangeBook(Model& model, QWidget* owner) = 0;
    // The question-format dialog; on OK it stores the chosen formats.
    virtual bool SelectQuestions(Model& model, QWidget* owner) = 0;
    // The range dialog; on OK the model holds the new range.
    virtual bool SelectRange(Model& model, QWidget* owner) = 0;
    // The sub-question dialog for a copy of one unit of the current print;
    // on OK `chosen` holds the sentences chosen, in order.
    virtual bool SelectSentences(
        Model& model, const QuestionUnit& unit, std::vector<const Sentence*>& chosen, QWidget* owner)
        = 0;
    // The automatic-selection dialog over `options`, edited in place on OK.
    // `randomizeAllowed`: whether the random order may be turned off.
    virtual bool EditAutoSelectOptions(AutoSelectOptions& options, bool randomizeAllowed, QWidget* owner) = 0;
    // The options dialog over `options`, edited in place on OK.
    virtual bool EditPrintOptions(PrintOptions& options, QWidget* owner) = 0;
    // The About box.
    virtual void ShowAbout(QWidget* owner) = 0;
    // The book import dialog; the path of the book it wrote, or empty when
    // the teacher wrote none.
    virtual QString ImportBook(QWidget* owner)
    {
        (void)owner;
        return QString();
    }
    // The history window over the history file; it may put a recorded
    // run back into the model (the views are told then).
    virtual void ShowHistory(Model& model, const QString& historyFile, QWidget* owner)
    {
        (void)model;
        (void)historyFile;
        (void)owner;
    }
    // Asks for the class name of a print, starting from `name`; on OK
    // `name` holds the answer (empty: the print goes back to its number).
    // Without a dialog of its own a stand-in cancels.
    virtual bool EditClassName(QString& name, QWidget* owner)
    {
        (void)name;
        (void)owner;
        return false;
    }
    // The file dialog of "PDFに保存": the PDF file to write, starting at
    // `suggested` (a folder or a file); empty when the user cancelled.
    // Without a dialog of its own a stand-in cancels.
    virtual QString ChoosePdfFile(const QString& suggested, QWidget* owner)
    {
        (void)suggested;
        (void)owner;
        return {};
    }
    // The file dialog of "書き出し": the file to write, starting at
    // `suggested`, with `format` the file type shown first and, on return,
    // the one the user picked; empty when the user cancelled. Without a
    // dialog of its own a stand-in cancels.
    virtual QString ChooseExportFile(const QString& suggested, ExportFormat::Kind& format, QWidget* owner)
    {
        (void)suggested;
        (void)format;
        (void)owner;
        return {};
    }
};
