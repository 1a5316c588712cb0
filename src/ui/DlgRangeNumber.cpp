#include "ui/DlgRangeNumber.h"

#include "desktop/TextFormat.h"
#include "model/DataBase.h"
#include "model/DecimalText.h"
#include "model/NodeStorage.h"
#include "quiz/Model.h"
#include "quiz/Ranges.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/CDialogResize.h"
#include "ui/CUpDownCtrl.h"
#include "ui/ControlId.h"
#include "ui/DialogUnits.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace {

// Only this much of a bound field is read.
constexpr int MaxBoundText = 127;

// A number typed into a bound field; none when the field holds no number.
std::optional<int> BoundOf(const QLineEdit& edit)
{
    return DecimalText::Scan(edit.text().left(MaxBoundText));
}

} // namespace

DlgRangeNumber::DlgRangeNumber(Model& model, QWidget* parent)
    : DialogPage(parent)
    , model_(model)
{
    SetControlId(this, Res::IDD_RANGE_NUMBER);
    BuildControls();
    FillMethods();
    connect(method_, &QComboBox::currentIndexChanged, this, &DlgRangeNumber::ChooseMethod);
}

void DlgRangeNumber::BuildControls()
{
    const DialogUnits du(font());
    const int lineHeight = std::max(du.Y(8), fontMetrics().height());
    auto* anchors = new CDialogResize(this);

    auto* methodLabel = new QLabel(Res::Text::RangeMethodLabel, this);
    methodLabel->setGeometry(du.TextRect(*methodLabel, 7, 7, 60, 8));
    method_ = new QComboBox(this);
    SetControlId(method_, Res::IDC_RANGE_METHOD);
    const int methodLeft = std::max(du.X(76), methodLabel->geometry().right() + du.X(4));
    method_->setGeometry(methodLeft, du.Y(7) - 2, du.X(87), method_->sizeHint().height());
    methodLabel->setBuddy(method_);

    auto* group = new QGroupBox(Res::Text::RangeGroup, this);
    SetControlId(group, Res::IDC_RANGE_GROUP);
    group->setGeometry(du.Rect(7, 25, 166, 138));
    anchors->Add(group, CDialogResize::SizeX | CDialogResize::SizeY);

    validRange_ = new QLabel(Res::Text::RangeValidPlaceholder, this);
    SetControlId(validRange_, Res::IDC_VALID_RANGE);
    validRange_->setGeometry(du.X(17), du.Y(40), du.X(100), lineHeight);

    const auto makeBound = [&](int x, int editId, int spinId, CUpDownCtrl*& spin) {
        auto* edit = new QLineEdit(this);
        SetControlId(edit, editId);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), edit));
        edit->setGeometry(du.Rect(x, 50, 40, 14));
        spin = new CUpDownCtrl(this);
        SetControlId(spin, spinId);
        spin->SetBuddy(edit);
        return edit;
    };
    lower_ = makeBound(17, Res::IDC_LOWER_VALUE, Res::IDC_LOWER_SPIN, lowerSpin_);
    auto* tilde = new QLabel(Res::Text::RangeTilde, this);
    tilde->setGeometry(du.X(63), du.Y(53), du.X(9), lineHeight);
    upper_ = makeBound(77, Res::IDC_UPPER_VALUE, Res::IDC_UPPER_SPIN, upperSpin_);

    auto* add = new QPushButton(Res::Text::RangeAdd, this);
    SetControlId(add, Res::IDC_ADD_INTERVAL);
    add->setGeometry(du.Rect(17, 69, 100, 14));
    connect(add, &QPushButton::clicked, this, &DlgRangeNumber::AddInterval);

    list_ = new QListWidget(this);
    SetControlId(list_, Res::IDC_INTERVAL_LIST);
    list_->setGeometry(du.Rect(17, 90, 100, 63));
    anchors->Add(list_, CDialogResize::SizeX | CDialogResize::SizeY);

    auto* remove = new QPushButton(Res::Text::RangeDelete, this);
    SetControlId(remove, Res::IDC_DELETE_INTERVAL);
    remove->setGeometry(du.Rect(123, 90, 40, 14));
    anchors->Add(remove, CDialogResize::MoveX);
    connect(remove, &QPushButton::clicked, this, &DlgRangeNumber::DeleteInterval);

    auto* clear = new QPushButton(Res::Text::RangeClear, this);
    SetControlId(clear, Res::IDC_CLEAR_INTERVALS);
    clear->setGeometry(du.Rect(123, 110, 40, 14));
    anchors->Add(clear, CDialogResize::MoveX);
    connect(clear, &QPushButton::clicked, this, &DlgRangeNumber::ClearIntervals);

    resize(du.Size(180, 170));
    anchors->Init(false);
}

void DlgRangeNumber::FillMethods()
{
    const QString format = Res::String(Res::IDS_SELECT_BY);
    for (const AttrClass* attrClass : model_.Storage().AttrClasses()) {
        if (attrClass && attrClass->is_range)
            method_->addItem(FormatText(format, {attrClass->name}), attrClass->acid);
    }
}

void DlgRangeNumber::LoadRange(const Ranges& range)
{
    if (const RangeNumber* number = range.NumberRange()) {
        currentClass_ = number->AttrClassId();
        SelectClass(currentClass_);
        intervals_[currentClass_] = number->GetIntervals();
        ListIntervals();
        return;
    }
    if (method_->count() > 0) {
        currentClass_ = method_->itemData(0).toInt();
        SelectClass(currentClass_);
    }
    ListIntervals();
}

void DlgRangeNumber::RebuildRange()
{
    if (currentClass_ == 0 && method_->count() > 0) {
        currentClass_ = method_->itemData(0).toInt();
        SelectClass(currentClass_);
    }
    model_.SetRange(Ranges(currentClass_, IntervalsOf(currentClass_)));
    Q_EMIT RangeChanged();
}

RangeNumber::Intervals DlgRangeNumber::IntervalsOf(int acid) const
{
    const auto it = intervals_.find(acid);
    return it == intervals_.end() ? RangeNumber::Intervals() : it->second;
}

void DlgRangeNumber::ChooseMethod(int comboIndex)
{
    if (comboIndex < 0 || comboIndex >= method_->count())
        return;
    currentClass_ = method_->itemData(comboIndex).toInt();
    ListIntervals();
    RebuildRange();
    ShowValidRange();
}

void DlgRangeNumber::AddInterval()
{
    if (currentClass_ == 0)
        return;
    const std::optional<int> lower = BoundOf(*lower_);
    const std::optional<int> upper = BoundOf(*upper_);
    // Both fields must hold a number; anything else adds nothing.
    if (!lower || !upper)
        return;
    intervals_[currentClass_].emplace_back(std::min(*lower, *upper), std::max(*lower, *upper));
    ListIntervals();
    RebuildRange();
}

void DlgRangeNumber::DeleteInterval()
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = list_->row(selected.first());
    RangeNumber::Intervals& intervals = intervals_[currentClass_];
    if (row >= 0 && row < static_cast<int>(intervals.size()))
        intervals.erase(intervals.begin() + row);
    ListIntervals();
    RebuildRange();
}

void DlgRangeNumber::ClearIntervals()
{
    intervals_.clear();
    ListIntervals();
    RebuildRange();
}

void DlgRangeNumber::SelectClass(int acid)
{
    const int index = method_->findData(acid);
    {
        const QSignalBlocker quiet(method_);
        method_->setCurrentIndex(index);
    }
    ShowValidRange();
}

void DlgRangeNumber::ShowValidRange()
{
    int minimum = 0;
    int maximum = 0;
    const bool known = currentClass_ != 0 && model_.Db().ReadAttrRange(currentClass_, minimum, maximum) == 0
        && (minimum != 0 || maximum != 0);
    if (!known) {
        // No valid range is known for this method: show none, and lift the
        // limits another method may have set. The typed bounds stay.
        validRange_->clear();
        lowerSpin_->SetRange(0, INT_MAX);
        upperSpin_->SetRange(0, INT_MAX);
        return;
    }
    lowerSpin_->SetRange(minimum, maximum);
    upperSpin_->SetRange(minimum, maximum);
    lower_->setText(DecimalText::Format(minimum));
    upper_->setText(DecimalText::Format(maximum));
    validRange_->setText(FormatText(Res::String(Res::IDS_VALID_RANGE), {minimum, maximum}));
}

void DlgRangeNumber::ListIntervals()
{
    list_->clear();
    const QString format = Res::String(Res::IDS_INTERVAL);
    for (const RangeNumber::Interval& interval : IntervalsOf(currentClass_))
        list_->addItem(FormatText(format, {interval.first, interval.second}));
}
