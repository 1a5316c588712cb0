#pragma once

#include "bookimport/ImportRequest.h"

#include <QDialog>

class ColumnMappingTable;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class SpreadsheetReader;

// Makes a book from a teacher's word list or question sheet, or from a
// flashcard program's text: the teacher chooses the file, its shape (or
// lets the file tell), the book type and the title, sees the first rows,
// what each column of a flashcard file becomes (and may change it), and
// every problem, and only then has the book written (into the teacher's
// book folder, named after the title). Long imports show their progress.
class DlgImportBook : public QDialog {
    Q_OBJECT

public:
    explicit DlgImportBook(SpreadsheetReader* spreadsheets = nullptr, QWidget* parent = nullptr);

    // The book written by the last successful import; empty before.
    QString WrittenBook() const { return m_written; }
    // Shows `file` as if the teacher had chosen it.
    void SetFile(const QString& file);

    static constexpr int kPreviewRows = 20;

private:
    void Browse();
    void Preview();
    void Run();
    ImportRequest Request() const;

    void ChooseFormat();

    SpreadsheetReader* m_spreadsheets;
    QLineEdit* m_file;
    QComboBox* m_format;
    QComboBox* m_type;
    QLineEdit* m_title;
    QTableWidget* m_preview;
    QLabel* m_mappingLabel;
    ColumnMappingTable* m_mapping;
    QStringList m_roles; // the teacher's roles for the file's columns; empty: the file's own
    QListWidget* m_problems;
    QLabel* m_summary;
    QPushButton* m_run;
    QString m_written;
    bool m_titleEdited = false;
};
