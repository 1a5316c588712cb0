#include "ui/CStaticLink.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

#include <algorithm>
#include <vector>

const QColor CStaticLink::NormalColor(0, 0, 255);
const QColor CStaticLink::VisitedColor(128, 0, 128);

namespace {

// Visiting is one state for the whole program, shared by every link.
bool visited = false;
std::vector<CStaticLink*> links;
CStaticLink::Opener defaultOpener;

bool OpenWithDesktop(const QString& target)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(target));
}

} // namespace

CStaticLink::CStaticLink(QWidget* parent)
    : CStaticLink(QString(), parent)
{
}

CStaticLink::CStaticLink(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(false); // drawn on the parent's background
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    links.push_back(this);
    ApplyLook();
}

CStaticLink::~CStaticLink()
{
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
}

void CStaticLink::SetTarget(const QString& target)
{
    target_ = target;
}

QString CStaticLink::Target() const
{
    return target_;
}

void CStaticLink::SetOpener(Opener opener)
{
    opener_ = std::move(opener);
}

void CStaticLink::SetDefaultOpener(Opener opener)
{
    defaultOpener = std::move(opener);
}

bool CStaticLink::Follow()
{
    if (target_.isEmpty())
        target_ = text();
    if (target_.isEmpty())
        return false;
    const Opener& open = opener_ ? opener_ : defaultOpener;
    const bool opened = open ? open(target_) : OpenWithDesktop(target_);
    if (!opened)
        return false;
    SetVisited(true);
    Q_EMIT Followed(target_);
    return true;
}

bool CStaticLink::Visited()
{
    return visited;
}

void CStaticLink::SetVisited(bool value)
{
    visited = value;
    for (CStaticLink* link : links)
        link->ApplyLook();
}

QColor CStaticLink::LinkColor() const
{
    return visited ? VisitedColor : NormalColor;
}

void CStaticLink::ApplyLook()
{
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::WindowText, LinkColor());
    setPalette(pal);
    update();
}

void CStaticLink::mouseReleaseEvent(QMouseEvent* event)
{
    const bool endsDoubleClick = releaseEndsDoubleClick_;
    releaseEndsDoubleClick_ = false;
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && !endsDoubleClick)
        Follow();
    QLabel::mouseReleaseEvent(event);
}

void CStaticLink::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The first click of the pair has opened the target already; open it
    // once, not twice.
    releaseEndsDoubleClick_ = event->button() == Qt::LeftButton;
    QLabel::mouseDoubleClickEvent(event);
}
