#include "ui/DlgRange.h"

#include "desktop/TextFormat.h"
#include "model/CppSQLite3Exception.h"
#include "model/DataBase.h"
#include "model/DecimalText.h"
#include "model/StopRequest.h"
#include "quiz/Model.h"
#include "quiz/Ranges.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/CDialogResize.h"
#include "ui/CWndTabCtrl.h"
#include "ui/ControlId.h"
#include "ui/DialogUnits.h"
#include "ui/DlgRangeIndex.h"
#include "ui/DlgRangeNumber.h"
#include "ui/GaijiListViewCtrl.h"
#include "ui/ListBuilder.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

DlgRange::DlgRange(Model& model, QWidget* parent)
    : QDialog(parent)
    , model_(model)
    , builder_(ListBuilder::ForBook(model))
{
    // Whatever the pages do from here on, Cancel returns to this range.
    model_.BackupRange();
    setWindowTitle(Res::Text::RangeCaption);
    fillNext_ = new QTimer(this);
    fillNext_->setSingleShot(true);
    connect(fillNext_, &QTimer::timeout, this, &DlgRange::FillKeywords);
    BuildControls();
    SetUpKeywordList();
    SetUpPages();
    RefreshKeywords();
    connect(tabs_, &QTabWidget::currentChanged, this, &DlgRange::OnTabChanged);
}

DlgRange::~DlgRange() = default;

void DlgRange::BuildControls()
{
    const DialogUnits du(font());
    auto* anchors = new CDialogResize(this);
    const auto place = [&](QWidget* control, int id, const QRect& rect, int anchoring) {
        SetControlId(control, id);
        control->setGeometry(rect);
        anchors->Add(control, anchoring);
    };

    tabs_ = new CWndTabCtrl(this);
    place(tabs_, Res::IDC_RANGE_TABS, du.Rect(7, 7, 229, 187), CDialogResize::SizeX | CDialogResize::SizeY);

    // Stepping through neighbouring ranges is not offered; the buttons stay
    // hidden and disabled.
    auto* previous = new QPushButton(Res::Text::RangePrevious, this);
    place(previous, Res::IDC_RANGE_PREV, du.Rect(7, 199, 72, 14), CDialogResize::MoveY);
    auto* next = new QPushButton(Res::Text::RangeNext, this);
    place(next, Res::IDC_RANGE_NEXT, du.Rect(86, 199, 72, 14), CDialogResize::MoveY);
    for (QPushButton* button : {previous, next}) {
        button->setEnabled(false);
        button->hide();
        button->setAutoDefault(false);
    }

    count_ = new QLabel(Res::Text::RangeKeywordLabel, this);
    QRect countRect = du.Rect(243, 7, 80, 8);
    countRect.setHeight(std::max(countRect.height(), fontMetrics().height()));
    place(count_, Res::IDC_KEYWORD_COUNT, countRect, CDialogResize::MoveX);

    keywords_ = new GaijiListViewCtrl(this);
    place(keywords_, Res::IDC_KEYWORD_LIST, du.Rect(243, 20, 110, 174), CDialogResize::MoveX | CDialogResize::SizeY);

    auto* ok = new QPushButton(Res::Text::Ok, this);
    place(ok, Res::IDOK, du.Rect(249, 199, 50, 14), CDialogResize::MoveX | CDialogResize::MoveY);
    ok->setDefault(true);
    auto* cancel = new QPushButton(Res::Text::Cancel, this);
    place(cancel, Res::IDCANCEL, du.Rect(303, 199, 50, 14), CDialogResize::MoveX | CDialogResize::MoveY);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    resize(du.Size(360, 220));
    anchors->Init(true);
    setSizeGripEnabled(true);
}

void DlgRange::SetUpKeywordList()
{
    keywords_->SetGridLines(true);
    keywords_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // For reading only: rows are never selected or focused.
    keywords_->setSelectionMode(QAbstractItemView::NoSelection);
    keywords_->setFocusPolicy(Qt::NoFocus);
    if (builder_)
        builder_->InitKeywordColumns(*keywords_);
}

void DlgRange::SetUpPages()
{
    indexPage_ = new DlgRangeIndex(model_, builder_);
    numberPage_ = new DlgRangeNumber(model_);
    tabs_->AddTab(Res::String(Res::IDS_TAB_BY_INDEX), indexPage_);
    const bool byNumber = AllowsRangeNumber(model_);
    if (byNumber) {
        tabs_->AddTab(Res::String(Res::IDS_TAB_BY_NUMBER), numberPage_);
    } else {
        numberPage_->setParent(this);
        numberPage_->hide();
    }
    connect(indexPage_, &DlgRangeIndex::RangeChanged, this, &DlgRange::RefreshKeywords);
    connect(numberPage_, &DlgRangeNumber::RangeChanged, this, &DlgRange::RefreshKeywords);

    const Ranges current = model_.CurrentRange();
    if (byNumber && current.Type() == Range::ByNumber) {
        numberPage_->LoadRange(current);
        tabs_->SetCurrentTab(NumberTab);
    } else {
        indexPage_->LoadRange(current);
        tabs_->SetCurrentTab(IndexTab);
    }
}

bool DlgRange::AllowsRangeNumber(Model& model)
{
    QString value;
    try {
        value = model.Db().BookInfo(QStringLiteral("RangeNumber"));
    } catch (const CppSQLite3Exception&) {
        return false;
    }
    const std::optional<int> number = DecimalText::Scan(value);
    return number && *number != 0;
}

void DlgRange::RefreshKeywords()
{
    inRange_.clear();
    filled_ = 0;
    fillNext_->stop();
    const int count = model_.InRangeKeywords(inRange_);
    keywords_->setUpdatesEnabled(false);
    keywords_->DeleteAllRows();
    keywords_->setUpdatesEnabled(true);
    count_->setText(FormatText(Res::String(Res::IDS_KEYWORD_COUNT), {count}));
    FillKeywords();
}

void DlgRange::FillKeywords()
{
    if (!builder_)
        inRange_.clear();
    const std::size_t end = std::min(inRange_.size(), filled_ + kRowsPerSlice);
    keywords_->setUpdatesEnabled(false);
    // A request to end the program is heeded between rows, and the
    // event loop takes it between slices.
    for (; filled_ < end && !(filled_ % kRowsBetweenStopChecks == 0 && StopRequest::Pending()); ++filled_)
        builder_->InsertKeyword(*keywords_, static_cast<int>(filled_), inRange_[filled_]);
    keywords_->setUpdatesEnabled(true);
    if (filled_ < inRange_.size() && !StopRequest::Pending()) {
        fillNext_->start();
        return;
    }
    inRange_.clear();
    filled_ = 0;
}

void DlgRange::OnTabChanged(int index)
{
    if (index == IndexTab)
        indexPage_->RebuildRange();
    else if (index == NumberTab)
        numberPage_->RebuildRange();
}

void DlgRange::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!scrolled_) {
        // Scrolling needs the list's final height, known once shown.
        scrolled_ = true;
        indexPage_->ScrollToChoice();
    }
}

void DlgRange::accept()
{
    model_.DropRangeBackup();
    QDialog::accept();
}

void DlgRange::reject()
{
    model_.RestoreRange();
    QDialog::reject();
}
