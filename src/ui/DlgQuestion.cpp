#include "ui/DlgQuestion.h"

#include "model/NodeStorage.h"
#include "quiz/Model.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/GaijiListViewCtrl.h"
#include "ui/ListBuilder.h"

#include <set>

namespace {

constexpr int FormatColumnWidth = 150;
constexpr int InstructionColumnWidth = 200;

CheckListDialog::Layout QuestionLayout()
{
    return {QSize(400, 220), QRect(7, 7, 368, 187), QRect(375, 7, 18, 92), QRect(375, 102, 18, 92),
        Res::IDC_QUESTION_LIST, Res::IDC_QUESTION_UP, Res::IDC_QUESTION_DOWN};
}

} // namespace

DlgQuestion::DlgQuestion(Model& model, QWidget* parent)
    : CheckListDialog(Res::Text::QuestionCaption, QuestionLayout(), parent)
    , model_(model)
{
    List().AddColumn(Res::String(Res::IDS_COL_FORMAT), FormatColumnWidth);
    List().AddColumn(Res::String(Res::IDS_COL_INSTRUCTION), InstructionColumnWidth);
    FillRows();
    FinishLayout();
}

void DlgQuestion::FillRows()
{
    const NodeStorage& storage = model_.Storage();
    std::set<int> shown;
    auto addRow = [this, &shown](const Question* question, bool ticked) {
        if (!shown.insert(question->qid).second)
            return;
        const int row = List().InsertRow(List().RowCount(), question->title);
        List().SetCellText(row, 1, question->question);
        MarkRow(row, question->qid, ticked);
    };
    for (int qid : model_.SelectedQids()) {
        if (const Question* question = storage.QuestionPool().Find(qid))
            addRow(question, true);
    }
    for (const Question* question : storage.Questions())
        addRow(question, false);
}

std::vector<int> DlgQuestion::TickedQids() const
{
    std::vector<int> qids;
    for (const QVariant& value : TickedValues())
        qids.push_back(value.toInt());
    return qids;
}

void DlgQuestion::accept()
{
    model_.SetQuestions(TickedQids());
    CheckListDialog::accept();
}

void DlgQuestion::FitColumns()
{
    GaijiListViewCtrl& list = List();
    const std::vector<int> widths{list.columnWidth(0), list.columnWidth(1)};
    list.setColumnWidth(1, ListBuilder::RemainingWidth(ListBuilder::AvailableWidth(list), widths, 1));
}
