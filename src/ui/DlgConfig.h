#pragma once

#include "quiz/PrintOptions.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The options dialog: the title printed on every print and whether the
// print shows its range. It edits a copy of the print options; the option
// for sentences from outside the book body passes through unchanged.
class DlgConfig : public QDialog {
    Q_OBJECT

public:
    explicit DlgConfig(const PrintOptions& options, QWidget* parent = nullptr);

    // The options as edited; after OK the ones to store.
    PrintOptions Options() const { return options_; }

    void accept() override;

private:
    PrintOptions options_;
    QLineEdit* title_;
    QCheckBox* showRange_;
};
