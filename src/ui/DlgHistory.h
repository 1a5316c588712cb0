#pragma once

#include "history/HistoryStore.h"

#include <QDialog>

class Model;
class QComboBox;
class QPushButton;
class QTreeWidget;

// 出題履歴: the recorded runs, newest first, with what can be done with
// them: put one back into the main window to make the same test again
// (開く), name it as a saved test set or delete it, see how much of the
// current book has been tested (出題状況), and write the whole record as
// a CSV file for a spreadsheet.
class DlgHistory : public QDialog {
    Q_OBJECT

public:
    DlgHistory(Model& model, const QString& historyFile, QWidget* parent = nullptr);

    QTreeWidget& Runs() { return *runs_; }
    QComboBox& BookFilter() { return *books_; }
    // The id of the selected run; 0 when none is.
    long long SelectedRun() const;
    void SelectRun(long long id);

    // The commands of the buttons. Open closes the window when the run
    // was put back.
    bool OpenSelected();
    bool NameSelected(const QString& name);
    // Asks first; false when the teacher said no or nothing was deleted.
    bool DeleteSelected();
    void ShowCoverage();
    // Writes the CSV file (UTF-8 with BOM); false, with the teacher told,
    // when it cannot be written.
    bool ExportCsv(const QString& file);

private:
    void FillBooks();
    void FillRuns();
    void UpdateButtons();
    void AskName();
    void AskCsvFile();

    Model& model_;
    HistoryStore store_;
    QComboBox* books_;
    QTreeWidget* runs_;
    QPushButton* open_;
    QPushButton* name_;
    QPushButton* delete_;
};
