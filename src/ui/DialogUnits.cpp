#include "ui/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace {

const QString Alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = static_cast<int>(Alphabet.size());
    baseX_ = std::max(1, (metrics.horizontalAdvance(Alphabet) / (letters / 2) + 1) / 2);
    baseY_ = std::max(1, metrics.height());
}

int DialogUnits::X(int units) const
{
    return (units * baseX_ + 2) / 4;
}

int DialogUnits::Y(int units) const
{
    return (units * baseY_ + 4) / 8;
}

QSize DialogUnits::Size(int width, int height) const
{
    return {X(width), Y(height)};
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const
{
    return {X(x), Y(y), X(width), Y(height)};
}

QRect DialogUnits::TextRect(const QWidget& control, int x, int y, int width, int height) const
{
    const QSize needed = control.sizeHint();
    QRect rect = Rect(x, y, width, height);
    rect.setWidth(std::max(rect.width(), needed.width()));
    rect.setHeight(std::max(rect.height(), needed.height()));
    return rect;
}
