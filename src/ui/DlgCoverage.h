#pragma once

#include <QDialog>

class HistoryStore;
class Model;
class QTreeWidget;

// 出題状況: for the current book, each contents entry (or each interval
// of a range by numbers) with how many of its keywords the history has
// tested and when last; entries shaded by how much is still untested, so
// the gaps stand out.
class DlgCoverage : public QDialog {
    Q_OBJECT

public:
    DlgCoverage(Model& model, HistoryStore& store, QWidget* parent = nullptr);

    QTreeWidget& Rows() { return *rows_; }

private:
    QTreeWidget* rows_;
};
