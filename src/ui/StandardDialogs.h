#pragma once

#include "ui/MainDialogs.h"

// The program's own dialogs for the main window's commands: DlgBook,
// DlgQuestion, DlgRange, DlgSentence, DlgAuto, DlgConfig and DlgAbout,
// each modal over the owner.
class StandardDialogs : public MainDialogs {
public:
    bool ChangeBook(Model& model, QWidget* owner) override;
    bool SelectQuestions(Model& model, QWidget* owner) override;
    bool SelectRange(Model& model, QWidget* owner) override;
    bool SelectSentences(
        Model& model, const QuestionUnit& unit, std::vector<const Sentence*>& chosen, QWidget* owner) override;
    bool EditAutoSelectOptions(AutoSelectOptions& options, bool randomizeAllowed, QWidget* owner) override;
    bool EditPrintOptions(PrintOptions& options, QWidget* owner) override;
    void ShowAbout(QWidget* owner) override;
    QString ImportBook(QWidget* owner) override;
    void ShowHistory(Model& model, const QString& historyFile, QWidget* owner) override;
    QString ChoosePdfFile(const QString& suggested, QWidget* owner) override;
    QString ChooseExportFile(const QString& suggested, ExportFormat::Kind& format, QWidget* owner) override;
    bool EditClassName(QString& name, QWidget* owner) override;
};
