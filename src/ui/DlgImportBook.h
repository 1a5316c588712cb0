#pragma once

#include "bookimport/ImportRequest.h"

#include <QDialog>

#include <atomic>
#include <memory>
#include <set>

class ColumnMappingTable;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QThread;
class SpreadsheetReader;

// Makes a book from a teacher's word list or question sheet, or from a
// flashcard program's text: the teacher chooses the file, its shape (or
// lets the file tell), the book type and the title, sees the first rows,
// what each column of a flashcard file becomes (and may change it), and
// every problem, and only then has the book written (into the teacher's
// book folder, named after the title). Long imports show their progress.
// The file is read and checked on a thread of its own, so the window
// answers while a large file is read; the teacher may stop the reading,
// and a new choice or closing the window stops it too.
class DlgImportBook : public QDialog {
    Q_OBJECT

public:
    explicit DlgImportBook(SpreadsheetReader* spreadsheets = nullptr, QWidget* parent = nullptr);
    ~DlgImportBook() override;

    // The book written by the last successful import; empty before.
    QString WrittenBook() const { return m_written; }
    // Shows `file` as if the teacher had chosen it.
    void SetFile(const QString& file);

    static constexpr int kPreviewRows = 20;

public Q_SLOTS:
    // While a book is being written, stops the writing (and keeps the
    // window); else closes it.
    void reject() override;

    // Whether a file is being read for the preview.
    bool IsReading() const { return m_reading != nullptr; }

Q_SIGNALS:
    // A preview's reading has ended, shown or stopped.
    void ReadingEnded();

private:
    struct Reading;

    void Browse();
    void Preview();
    void ShowPreview(const Reading& reading);
    void StopReading();
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
    QPushButton* m_stop;
    std::shared_ptr<Reading> m_reading;       // the preview's reading under way; null when none
    std::set<QThread*> m_threads;             // readings not yet ended, stopped ones too
    std::atomic<bool>* m_writeStop = nullptr; // stops the book being written; null when none
    QString m_written;
    bool m_titleEdited = false;
};
