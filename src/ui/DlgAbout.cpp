#include "ui/DlgAbout.h"

#include "app/TextFormat.h"
#include "res/Images.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/ControlId.h"
#include "ui/DialogUnits.h"

#include <QLabel>
#include <QPushButton>

DlgAbout::DlgAbout(QWidget* parent, CStaticLink::Opener opener)
    : QDialog(parent)
{
    setWindowTitle(Res::Text::AboutCaption);
    const DialogUnits du(font());
    // Static texts are 8 units high in the table; give them the font's height.
    const int textHeight = QFontMetrics(font()).height();
    const auto textRect = [&du, textHeight](int x, int y, int width) {
        QRect r = du.Rect(x, y, width, 8);
        r.setHeight(std::max(r.height(), textHeight));
        return r;
    };

    auto* icon = new QLabel(this);
    const QRect iconRect = du.Rect(14, 12, 20, 20);
    icon->setGeometry(iconRect);
    icon->setPixmap(Res::AppIcon().pixmap(iconRect.size()));

    auto* name = new QLabel(Res::Text::AboutProgramName, this);
    name->setGeometry(textRect(42, 12, 56));
    auto* maker = new QLabel(Res::Text::AboutMaker, this);
    maker->setGeometry(textRect(42, 26, 114));

    auto* version = new QLabel(VersionText(QStringLiteral(TV_VERSION)), this);
    SetControlId(version, Res::IDC_VERSION);
    version->setGeometry(textRect(104, 12, 60));

    const QString site = Res::String(Res::IDS_SUPPORT_URL);
    link_ = new CStaticLink(site, this);
    SetControlId(link_, Res::IDC_SUPPORT_LINK);
    link_->SetTarget(site);
    if (opener)
        link_->SetOpener(std::move(opener));
    link_->setGeometry(textRect(42, 41, 122));

    auto* ok = new QPushButton(Res::Text::Ok, this);
    SetControlId(ok, Res::IDOK);
    ok->setGeometry(du.Rect(114, 54, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(du.Size(171, 75));
}

QString DlgAbout::VersionText(const QString& productVersion)
{
    if (productVersion.isEmpty())
        return {};
    return FormatText(Res::Text::AboutVersionFormat, {productVersion}).left(MaxVersionText);
}
