#pragma once

#include "ui/CheckListDialog.h"

#include <vector>

class Model;

// The question-format dialog: every question format of the book, the ones
// in use first (ticked, in their order) and the others after them. The
// teacher ticks formats and moves them up and down; on OK the ticked ones,
// top to bottom, become the model's selection and the order of the formats
// in every print. The caller refreshes its views after OK.
class DlgQuestion : public CheckListDialog {
    Q_OBJECT

public:
    explicit DlgQuestion(Model& model, QWidget* parent = nullptr);

    // The qids of the ticked rows, top to bottom.
    std::vector<int> TickedQids() const;

    void accept() override;

protected:
    void FitColumns() override;

private:
    void FillRows();

    Model& model_;
};
