#include "ui/DlgConfig.h"

#include "res/ResourceIds.h"
#include "res/UiText.h"
#include "ui/ControlId.h"
#include "ui/DialogUnits.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

DlgConfig::DlgConfig(const PrintOptions& options, QWidget* parent)
    : QDialog(parent)
    , options_(options)
{
    setWindowTitle(Res::Text::ConfigCaption);
    const DialogUnits du(font());

    auto* group = new QGroupBox(Res::Text::ConfigPrintGroup, this);
    group->setGeometry(du.Rect(7, 7, 226, 51));
    // The label is as wide as its text needs; the edit keeps its right edge.
    auto* titleLabel = new QLabel(Res::Text::ConfigTitleLabel, this);
    titleLabel->setGeometry(du.TextRect(*titleLabel, 18, 20, 24, 14));

    title_ = new QLineEdit(this);
    SetControlId(title_, Res::IDC_PRINT_TITLE);
    QRect titleRect = du.Rect(46, 20, 176, 14);
    titleRect.setLeft(std::max(titleRect.left(), titleLabel->geometry().right() + du.X(4)));
    title_->setGeometry(titleRect);
    titleLabel->setBuddy(title_);

    showRange_ = new QCheckBox(Res::Text::ConfigShowRange, this);
    SetControlId(showRange_, Res::IDC_SHOW_RANGE);
    showRange_->setGeometry(du.TextRect(*showRange_, 18, 40, 83, 10));

    auto* ok = new QPushButton(Res::Text::Ok, this);
    SetControlId(ok, Res::IDOK);
    ok->setGeometry(du.Rect(129, 65, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(Res::Text::Cancel, this);
    SetControlId(cancel, Res::IDCANCEL);
    cancel->setGeometry(du.Rect(183, 65, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(du.Size(240, 86));

    title_->setText(options_.title);
    showRange_->setChecked(options_.showRange);
}

void DlgConfig::accept()
{
    options_.title = title_->text();
    options_.showRange = showRange_->isChecked();
    QDialog::accept();
}
