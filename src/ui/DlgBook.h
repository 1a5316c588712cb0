#pragma once

#include <QDialog>

class Model;
class QListWidget;

// The book dialog: the books of the loaded book database, the current one
// selected. OK, or a double-click on a book, selects that book in the model
// (a different book starts over with an empty range and one fresh print,
// and the model tells its views), then closes. The caller only waits.
class DlgBook : public QDialog {
    Q_OBJECT

public:
    explicit DlgBook(Model& model, QWidget* parent = nullptr);

    QListWidget& List() { return *list_; }

    void accept() override;

private:
    void FillBooks();

    Model& model_;
    QListWidget* list_;
};
