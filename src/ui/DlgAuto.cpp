#include "ui/DlgAuto.h"

#include "model/DecimalText.h"
#include "model/Question.h"
#include "quiz/ClassNames.h"
#include "res/Images.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/CEditScount.h"
#include "ui/CUpDownCtrl.h"
#include "ui/ControlId.h"
#include "ui/DialogUnits.h"
#include "ui/ListBuilder.h"
#include "ui/ListViewCtrl.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int CountColumnWidth = 56;

// A static text at its place (in dialog units), vertically centred and
// as large as its text needs.
QLabel* MakeLabel(const QString& text, const DialogUnits& du, const QRect& units, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(du.TextRect(*label, units.x(), units.y(), units.width(), units.height()));
    return label;
}

// A number field: digits only, right-aligned.
QLineEdit* MakeNumberEdit(int id, const QRect& rect, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    SetControlId(edit, id);
    edit->setGeometry(rect);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

CUpDownCtrl* AttachUpDown(int id, QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
{
    auto* upDown = new CUpDownCtrl(parent);
    SetControlId(upDown, id);
    upDown->SetRange(minimum, maximum);
    upDown->SetBuddy(buddy);
    return upDown;
}

// A field read as a decimal number (0 when it holds none), brought into
// [minimum, maximum].
int ReadCount(const QString& text, int minimum, int maximum)
{
    return std::clamp(DecimalText::Scan(text).value_or(0), minimum, maximum);
}

} // namespace

DlgAuto::DlgAuto(const AutoSelectOptions& options, bool randomizeAllowed, QWidget* parent)
    : QDialog(parent)
    , options_(options)
    , randomizeAllowed_(randomizeAllowed)
    , classNames_(options.classNames)
{
    classNames_.resize(MaxPrintCount);
    setWindowTitle(Res::Text::AutoCaption);
    BuildControls();
    BuildCountList();
    if (!randomizeAllowed_) {
        randomize_->setEnabled(false);
        randomize_->hide();
        options_.randomize = true;
    }
    ShowOptions();
}

void DlgAuto::BuildControls()
{
    const DialogUnits du(font());
    auto* printCountLabel = MakeLabel(Res::Text::AutoClassCountLabel, du, QRect(7, 7, 52, 14), this);
    printCount_ = MakeNumberEdit(Res::IDC_CLASS_COUNT, du.Rect(62, 7, 40, 14), this);
    printCountLabel->setBuddy(printCount_);
    printCountSpin_ = AttachUpDown(Res::IDC_CLASS_COUNT_SPIN, printCount_, MinPrintCount, MaxPrintCount, this);
    MakeLabel(Res::Text::AutoClassCountSuffix, du, QRect(105, 7, 29, 14), this);

    randomize_ = new QCheckBox(Res::Text::AutoRandomize, this);
    SetControlId(randomize_, Res::IDC_RANDOMIZE);
    randomize_->setGeometry(du.TextRect(*randomize_, 158, 10, 115, 10));

    auto* countsLabel = MakeLabel(Res::Text::AutoCountsLabel, du, QRect(7, 27, 68, 8), this);
    list_ = new ListViewCtrl(this);
    SetControlId(list_, Res::IDC_COUNT_LIST);
    list_->setGeometry(du.Rect(7, 37, 195, 65));
    countsLabel->setBuddy(list_);

    auto* bulkLabel = MakeLabel(Res::Text::AutoBulkLabel, du, QRect(101, 105, 43, 14), this);
    applyAll_ = new QPushButton(this);
    SetControlId(applyAll_, Res::IDC_APPLY_ALL);
    applyAll_->setGeometry(du.Rect(152, 105, 39, 14));
    applyAll_->setIcon(Res::ApplyAllIcon());
    applyAll_->setAccessibleName(Res::Text::AutoApplyAll);
    applyAll_->setAutoDefault(false);
    connect(applyAll_, &QPushButton::clicked, this, &DlgAuto::ApplyBulkCount);
    bulkCount_ = MakeNumberEdit(Res::IDC_BULK_COUNT, du.Rect(152, 122, 40, 14), this);
    bulkLabel->setBuddy(bulkCount_);
    bulkCountSpin_ = AttachUpDown(Res::IDC_BULK_COUNT_SPIN, bulkCount_, MinCount, MaxCount, this);
    MakeLabel(Res::Text::AutoBulkSuffix, du, QRect(194, 122, 9, 14), this);
    MakeLabel(Res::Text::AutoNote, du, QRect(7, 142, 185, 8), this);

    // The class names, one row per class, edited in place.
    auto* namesLabel = MakeLabel(Res::Text::AutoClassNamesLabel, du, QRect(213, 27, 80, 8), this);
    names_ = new QTableWidget(0, 1, this);
    SetControlId(names_, Res::IDC_CLASS_NAMES);
    names_->setGeometry(du.Rect(213, 37, 130, 65));
    names_->setHorizontalHeaderLabels({Res::Text::AutoClassNameColumn});
    names_->horizontalHeader()->setStretchLastSection(true);
    names_->horizontalHeader()->setSectionsClickable(false);
    names_->setSelectionMode(QAbstractItemView::SingleSelection);
    names_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    namesLabel->setBuddy(names_);
    connect(printCount_, &QLineEdit::textChanged, this, &DlgAuto::ShowClassNames);

    avoid_ = new QCheckBox(Res::Text::AutoAvoidTested, this);
    SetControlId(avoid_, Res::IDC_AVOID_TESTED);
    avoid_->setGeometry(du.TextRect(*avoid_, 213, 107, 130, 10));
    auto* runsLabel = MakeLabel(Res::Text::AutoAvoidRunsPrefix, du, QRect(223, 119, 30, 14), this);
    avoidRuns_ = MakeNumberEdit(Res::IDC_AVOID_RUNS, du.Rect(255, 119, 30, 14), this);
    runsLabel->setBuddy(avoidRuns_);
    avoidRunsSpin_ = AttachUpDown(Res::IDC_AVOID_RUNS_SPIN, avoidRuns_, 1, AutoSelectOptions::kMaxAvoidRuns, this);
    MakeLabel(Res::Text::AutoAvoidRunsSuffix, du, QRect(288, 119, 30, 14), this);
    connect(avoid_, &QCheckBox::toggled, avoidRuns_, &QWidget::setEnabled);
    connect(avoid_, &QCheckBox::toggled, avoidRunsSpin_, &QWidget::setEnabled);

    auto* ok = new QPushButton(Res::Text::AutoOk, this);
    SetControlId(ok, Res::IDOK);
    ok->setGeometry(du.Rect(239, 140, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(Res::Text::Cancel, this);
    SetControlId(cancel, Res::IDCANCEL);
    cancel->setGeometry(du.Rect(293, 140, 50, 14));
    connect(ok, &QPushButton::clicked, this, &DlgAuto::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(du.Size(350, 159));
}

void DlgAuto::BuildCountList()
{
    list_->AddColumn(Res::String(Res::IDS_COL_FORMAT), 0);
    list_->AddColumn(Res::String(Res::IDS_COL_COUNT), CountColumnWidth, Qt::AlignRight);
    list_->header()->setSectionsClickable(false);
    FitColumns();

    // The count editor and its arrows sit inside the list, over the cell.
    editor_ = new CEditScount(list_->viewport());
    SetControlId(editor_, Res::IDC_COUNT_EDIT);
    editor_->setFont(list_->font());
    connect(editor_, &CEditScount::Committed, this,
        [this](int row, const QString& text) { list_->SetCellText(row, 1, text); });
    connect(list_, &QAbstractItemView::clicked, this, &DlgAuto::OnListClicked);
}

void DlgAuto::ShowOptions()
{
    printCount_->setText(DecimalText::Format(options_.printCount));
    bulkCount_->setText(DecimalText::Format(options_.defaultCount));
    for (const auto& [question, count] : options_.counts) {
        const int row = list_->InsertRow(list_->RowCount(), question ? question->title : QString());
        list_->SetCellText(row, 1, DecimalText::Format(count));
        list_->SetRowData(row, question ? question->qid : 0);
    }
    randomize_->setChecked(options_.randomize);
    const bool avoiding = options_.avoidRuns > 0;
    avoidRuns_->setText(DecimalText::Format(avoiding ? options_.avoidRuns : DefaultAvoidRuns));
    avoid_->setChecked(avoiding);
    avoidRuns_->setEnabled(avoiding);
    avoidRunsSpin_->setEnabled(avoiding);
    ShowClassNames();
}

void DlgAuto::ShowClassNames()
{
    KeepClassNames();
    const int rows = ReadCount(printCount_->text(), MinPrintCount, MaxPrintCount);
    names_->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        auto* item = new QTableWidgetItem(classNames_[static_cast<std::size_t>(row)]);
        names_->setItem(row, 0, item);
    }
}

// What the rows hold now: an edit still open counts too.
void DlgAuto::KeepClassNames()
{
    // The editor hands its text over as it loses the focus.
    const QWidget* focus = QApplication::focusWidget();
    if (focus && focus != names_ && names_->isAncestorOf(focus))
        names_->setFocus();
    for (int row = 0; row < names_->rowCount() && row < MaxPrintCount; ++row) {
        if (const QTableWidgetItem* item = names_->item(row, 0))
            classNames_[static_cast<std::size_t>(row)] = ClassNames::Clean(item->text());
    }
}

void DlgAuto::FitColumns()
{
    const std::vector<int> widths{list_->columnWidth(0), list_->columnWidth(1)};
    list_->setColumnWidth(0, ListBuilder::RemainingWidth(ListBuilder::AvailableWidth(*list_), widths, 0));
}

void DlgAuto::OnListClicked(const QModelIndex& index)
{
    if (index.isValid() && index.column() == 1)
        EditCount(index.row());
}

void DlgAuto::EditCount(int row)
{
    if (row < 0 || row >= list_->RowCount())
        return;
    const QRect cell = list_->visualRect(list_->model()->index(row, 1));
    editor_->BeginEdit(row, cell, list_->CellText(row, 1));
}

void DlgAuto::ApplyBulkCount()
{
    if (bulkCount_->text().isEmpty())
        return;
    const QString count = DecimalText::Format(ReadCount(bulkCount_->text(), MinCount, MaxCount));
    for (int row = 0; row < list_->RowCount(); ++row)
        list_->SetCellText(row, 1, count);
}

void DlgAuto::accept()
{
    // A count still being typed counts too.
    if (editor_->EditedRow() >= 0)
        editor_->Commit();
    options_.printCount = ReadCount(printCount_->text(), MinPrintCount, MaxPrintCount);
    options_.defaultCount = ReadCount(bulkCount_->text(), MinCount, MaxCount);
    const int rows = std::min<int>(list_->RowCount(), static_cast<int>(options_.counts.size()));
    for (int row = 0; row < rows; ++row)
        options_.counts[row].second = ReadCount(list_->CellText(row, 1), 0, MaxCount);
    options_.randomize = randomizeAllowed_ ? randomize_->isChecked() : true;
    options_.avoidRuns = avoid_->isChecked() ? ReadCount(avoidRuns_->text(), 1, AutoSelectOptions::kMaxAvoidRuns) : 0;
    KeepClassNames();
    options_.classNames = classNames_;
    while (!options_.classNames.empty() && options_.classNames.back().isEmpty())
        options_.classNames.pop_back();
    QDialog::accept();
}
