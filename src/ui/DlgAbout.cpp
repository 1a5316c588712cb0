#include "ui/DlgAbout.h"

#include "desktop/TextFormat.h"
#include "desktop/TitleBar.h"
#include "res/Images.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/ControlId.h"
#include "ui/DialogUnits.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

DlgAbout::DlgAbout(QWidget* parent, CStaticLink::Opener opener)
    : QDialog(parent)
{
    setWindowTitle(Res::Text::AboutCaption);
    const DialogUnits du(font());
    auto* icon = new QLabel(this);
    const QRect iconRect = du.Rect(14, 12, 20, 20);
    icon->setGeometry(iconRect);
    icon->setPixmap(Res::AppIcon().pixmap(iconRect.size()));

    auto* name = new QLabel(Res::Text::AboutProgramName, this);
    name->setGeometry(du.TextRect(*name, 42, 12, 56, 8));
    auto* maker = new QLabel(Res::Text::AboutMaker, this);
    maker->setGeometry(du.TextRect(*maker, 42, 26, 114, 8));

    auto* version = new QLabel(VersionText(QStringLiteral(TV_VERSION)), this);
    SetControlId(version, Res::IDC_VERSION);
    // After the program's name, however wide the font makes that.
    QRect versionRect = du.TextRect(*version, 104, 12, 60, 8);
    versionRect.moveLeft(std::max(versionRect.left(), name->geometry().right() + du.X(4)));
    version->setGeometry(versionRect);

    const QString site = Res::String(Res::IDS_SUPPORT_URL);
    link_ = new CStaticLink(site, this);
    SetControlId(link_, Res::IDC_SUPPORT_LINK);
    link_->SetTarget(site);
    if (opener)
        link_->SetOpener(std::move(opener));
    link_->setGeometry(du.TextRect(*link_, 42, 41, 122, 8));

    // Wider than the table when the texts or the whole caption in the
    // title bar need it; OK keeps to the right.
    const int width = std::max(
        {du.X(171), childrenRect().right() + 1 + du.X(7), TitleBarWidth(fontMetrics(), Res::Text::AboutCaption)});
    auto* ok = new QPushButton(Res::Text::Ok, this);
    SetControlId(ok, Res::IDOK);
    ok->setGeometry(width - du.X(7 + 50), du.Y(54), du.X(50), du.Y(14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(width, du.Y(75));
}

QString DlgAbout::VersionText(const QString& productVersion)
{
    if (productVersion.isEmpty())
        return {};
    return FormatText(Res::Text::AboutVersionFormat, {productVersion}).left(MaxVersionText);
}
