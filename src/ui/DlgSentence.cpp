#include "ui/DlgSentence.h"

#include "markup/TagStripper.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "quiz/Model.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/CDialogResize.h"
#include "ui/ControlId.h"
#include "ui/DialogUnits.h"
#include "ui/GaijiListViewCtrl.h"
#include "ui/ListBuilder.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// Without a builder for the book's type: one column with the question text.
constexpr int FallbackColumnWidth = 300;

CheckListDialog::Layout SentenceLayout()
{
    return {QSize(400, 220), QRect(7, 26, 368, 168), QRect(375, 26, 18, 82), QRect(375, 112, 18, 82),
        Res::IDC_SENTENCE_LIST, Res::IDC_SENTENCE_UP, Res::IDC_SENTENCE_DOWN};
}

} // namespace

DlgSentence::DlgSentence(Model& model, const QuestionUnit& unit, QWidget* parent)
    : CheckListDialog(Res::Text::SentenceCaption, SentenceLayout(), parent)
    , model_(model)
    , unit_(unit)
    , builder_(ListBuilder::ForBook(model))
{
    BuildTop();
    InitColumns();
    InitSentences();
    FinishLayout();
}

DlgSentence::~DlgSentence() = default;

void DlgSentence::BuildTop()
{
    const DialogUnits du(font());
    auto* label = new QLabel(Res::Text::SentenceInstructionLabel, this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(du.TextRect(*label, 7, 7, 25, 14));

    auto* instruction = new QLineEdit(this);
    SetControlId(instruction, Res::IDC_INSTRUCTION);
    instruction->setGeometry(du.Rect(33, 7, 360, 14));
    instruction->setReadOnly(true);
    if (const Question* question = unit_.GetQuestion())
        instruction->setText(TagStripper().Strip(question->question));
    instruction->setCursorPosition(0); // a long instruction shows its beginning
    Resizer().Add(instruction, CDialogResize::SizeX);

    // Kept from the dialog's layout, never shown and never used.
    auto* selectAll = new QCheckBox(Res::Text::SentenceSelectAll, this);
    SetControlId(selectAll, Res::IDC_SELECT_ALL);
    selectAll->setGeometry(du.Rect(7, 26, 56, 10));
    selectAll->setEnabled(false);
    selectAll->hide();
}

void DlgSentence::InitColumns()
{
    if (builder_)
        builder_->InitSentenceColumns(List());
    else
        List().AddColumn(Res::String(Res::IDS_COL_QUESTION), FallbackColumnWidth);
}

void DlgSentence::InitSentences()
{
    for (const Sentence* sentence : unit_.Sentences())
        InsertRow(sentence, true);
    if (!unit_.GetQuestion())
        return;
    std::vector<const Sentence*> candidates;
    model_.CandidateSentences(candidates, unit_.QuestionId());
    for (const Sentence* candidate : candidates) {
        if (!unit_.HasSentence(candidate->sid))
            InsertRow(candidate, false);
    }
}

void DlgSentence::InsertRow(const Sentence* sentence, bool ticked)
{
    const int end = List().RowCount();
    const int row
        = builder_ ? builder_->InsertSentence(List(), end, sentence) : List().InsertRow(end, sentence->sentence);
    if (row >= 0)
        MarkRow(row, QVariant::fromValue(sentence), ticked);
}

std::vector<const Sentence*> DlgSentence::Sentences() const
{
    std::vector<const Sentence*> sentences;
    for (const QVariant& value : TickedValues())
        sentences.push_back(value.value<const Sentence*>());
    return sentences;
}

QuestionUnit DlgSentence::ResultUnit() const
{
    QuestionUnit unit(unit_.GetQuestion());
    for (const Sentence* sentence : Sentences())
        unit.AddSentence(sentence);
    return unit;
}

void DlgSentence::FitColumns()
{
    if (builder_)
        builder_->FitSentenceColumns(List());
}
