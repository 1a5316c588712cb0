#pragma once

#include "quiz/QuestionUnit.h"
#include "ui/CheckListDialog.h"

#include <memory>
#include <vector>

class ListBuilder;
class Model;
class Sentence;

// The sub-question dialog for one question format of one print: the
// sentences the print already has come first, ticked and in print order
// (also those the current range no longer admits), then the other
// candidates of the current range, unticked, in book order. The teacher
// ticks sentences and moves them up and down; after OK the ticked ones,
// top to bottom, are the result. The dialog does not change the print:
// the caller writes ResultUnit back.
class DlgSentence : public CheckListDialog {
    Q_OBJECT

public:
    // `unit` is a copy of the unit being edited.
    DlgSentence(Model& model, const QuestionUnit& unit, QWidget* parent = nullptr);
    ~DlgSentence() override;

    // The sentences of the ticked rows, top to bottom (as they stand now;
    // after OK, the chosen ones).
    std::vector<const Sentence*> Sentences() const;
    // The unit of the same question holding those sentences, each once.
    QuestionUnit ResultUnit() const;

protected:
    void FitColumns() override;

private:
    void BuildTop();
    void InitColumns();
    void InitSentences();
    void InsertRow(const Sentence* sentence, bool ticked);

    Model& model_;
    QuestionUnit unit_;
    std::shared_ptr<ListBuilder> builder_;
};
