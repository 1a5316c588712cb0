#include "ui/DlgPrint.h"

#include "desktop/TextFormat.h"
#include "model/Question.h"
#include "quiz/Quiz.h"
#include "quiz/QuizVisitor.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/ControlId.h"
#include "ui/ListBuilder.h"
#include "ui/ListViewCtrl.h"

#include <QContextMenuEvent>
#include <QVBoxLayout>

// Fills the list from a print: header rows carry their qid, sub-question
// rows (laid out by the builder) carry nothing.
class DlgPrint::Visitor : public QuizVisitor {
public:
    Visitor(DlgPrint& page)
        : page_(page)
    {
    }

    void VisitQuestion(const Question* question, int number) override
    {
        if (!question)
            return;
        const QString text
            = FormatText(Res::String(Res::IDS_UNIT_HEADER), {number, page_.stripper_.Strip(question->question)});
        const int inserted = page_.list_->InsertRow(row_, text);
        page_.list_->SetRowData(inserted, question->qid);
        // The instruction is long: it takes the whole row until a range mark
        // needs the last column.
        page_.list_->setFirstColumnSpanned(inserted, QModelIndex(), true);
        row_ = inserted + 1;
    }

    void VisitSentence(const Sentence* sentence, int number) override
    {
        const int inserted = page_.builder_->InsertPrintSentence(*page_.list_, row_, sentence, number);
        if (inserted < 0)
            return;
        page_.list_->SetRowData(inserted, QVariant());
        row_ = inserted + 1;
    }

private:
    DlgPrint& page_;
    int row_ = 0;
};

DlgPrint::DlgPrint(Model& model, QWidget* parent)
    : DialogPage(parent)
    , builder_(ListBuilder::ForBook(model))
{
    SetControlId(this, Res::IDD_PRINT);
}

DlgPrint::~DlgPrint() = default;

void DlgPrint::setVisible(bool visible)
{
    if (visible)
        MakeList();
    DialogPage::setVisible(visible);
}

ListViewCtrl& DlgPrint::List()
{
    MakeList();
    return *list_;
}

void DlgPrint::MakeList()
{
    if (list_)
        return;
    list_ = new ListViewCtrl(this);
    SetControlId(list_, Res::IDC_PRINT_LIST);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    list_->SetGridLines(true);
    if (builder_) {
        builder_->InitPrintColumns(*list_);
        builder_->FitPrintColumns(*list_);
    }
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { RequestSentences(); });
    FillList();
    MarkRows();
}

void DlgPrint::InsertQuiz(const Quiz& quiz)
{
    quiz_ = std::make_unique<Quiz>(quiz);
    marks_.reset();
    if (list_)
        FillList();
}

void DlgPrint::FillList()
{
    list_->DeleteAllRows();
    if (!builder_ || !quiz_)
        return; // a book of a type whose lists cannot be laid out, or no print yet
    Visitor visitor(*this);
    quiz_->Accept(visitor);
    AddPlaceholders();
    if (quiz_->Units().empty()) {
        // Nothing chosen yet: the page says where to begin.
        const int row = list_->InsertRow(0, Res::String(Res::IDS_FIRST_STEPS));
        list_->setFirstColumnSpanned(row, QModelIndex(), true);
    }
}

// A header directly followed by another header, or standing last, has no
// sub-question: a placeholder row invites the teacher to add some.
void DlgPrint::AddPlaceholders()
{
    const QString placeholder = Res::String(Res::IDS_ADD_PLACEHOLDER);
    for (int row = list_->RowCount() - 1; row >= 0; --row) {
        if (!IsHeader(row))
            continue;
        const bool last = row == list_->RowCount() - 1;
        if (last || IsHeader(row + 1))
            list_->InsertRow(row + 1, placeholder);
    }
}

bool DlgPrint::IsHeader(int row) const
{
    return list_->RowData(row).isValid();
}

void DlgPrint::ApplyRangeMarks(const std::map<int, bool>& hasCandidates)
{
    marks_ = hasCandidates;
    if (list_)
        MarkRows();
}

void DlgPrint::MarkRows()
{
    const int lastColumn = list_->ColumnCount() - 1;
    if (!marks_ || lastColumn < 0)
        return;
    const QString noCandidates = Res::String(Res::IDS_NO_CANDIDATES);
    for (int row = 0; row < list_->RowCount(); ++row) {
        if (!IsHeader(row))
            continue;
        const auto found = marks_->find(list_->RowData(row).toInt());
        const bool marked = found == marks_->end() || !found->second;
        list_->SetCellText(row, lastColumn, marked ? noCandidates : QString());
        list_->setFirstColumnSpanned(row, QModelIndex(), !marked || lastColumn == 0);
    }
}

int DlgPrint::CurrentQuestionId() const
{
    if (!list_)
        return 0; // nothing shown, nothing selected
    for (int row = list_->SelectedRow(); row >= 0; --row) {
        if (IsHeader(row))
            return list_->RowData(row).toInt();
    }
    return 0;
}

void DlgPrint::RequestSentences()
{
    const int qid = CurrentQuestionId();
    if (qid != 0 && request_)
        request_(qid);
}

void DlgPrint::resizeEvent(QResizeEvent* event)
{
    DialogPage::resizeEvent(event);
    if (!list_)
        return;
    layout()->activate(); // the list takes its new size before the columns are fitted
    if (builder_)
        builder_->FitPrintColumns(*list_);
}

// The context menu of the list offers the sub-question selection of the
// selected row's question format; elsewhere, or with no row selected,
// there is no menu.
void DlgPrint::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (!list_)
        return;
    QPoint pos = event->pos();
    if (event->reason() == QContextMenuEvent::Keyboard)
        pos = QPoint(0, 0);
    const bool fromList = list_->geometry().contains(pos);
    if (!rect().contains(pos) || !fromList || list_->SelectedRow() < 0)
        return;
    QMenu menu(this);
    QAction* select = menu.addAction(Res::Text::MenuSelectSentences);
    select->setData(Res::ID_SELECT_SENTENCES);
    if (RunPopup(popupRunner_, menu, mapToGlobal(pos)) == select)
        RequestSentences();
}
