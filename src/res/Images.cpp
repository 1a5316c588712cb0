#include "res/Images.h"

#include <QHash>
#include <QImage>
#include <QImageReader>

#include <array>

// The resources live in this static library; referencing their initialiser
// keeps the linker from dropping them.
static void InitResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(res);
        return true;
    }();
    Q_UNUSED(done);
}

namespace Res {
namespace {

const std::array<const char*, CheckImageCount> CheckFiles = {
    ":/res/images/check_off.svg",
    ":/res/images/check_on.svg",
    ":/res/images/check_partial.svg",
    ":/res/images/check_off_grey.svg",
    ":/res/images/check_on_grey.svg",
    ":/res/images/check_partial_grey.svg",
};

// Drawn by Qt's SVG image plugin, which is loaded with the first image
// (after the window has appeared): the program itself does not link Qt's
// SVG library, whose loading would come before anything is shown.
QPixmap Render(const QString& file, int size, qreal devicePixelRatio)
{
    InitResources();
    const int pixels = qRound(size * devicePixelRatio);
    QImageReader reader(file, "svg");
    reader.setScaledSize(QSize(pixels, pixels));
    const QImage image = reader.read();
    QPixmap pixmap;
    if (image.isNull()) {
        pixmap = QPixmap(pixels, pixels);
        pixmap.fill(Qt::transparent);
    } else {
        pixmap = QPixmap::fromImage(image);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon IconOf(const QString& file, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (int size : sizes)
        icon.addPixmap(Render(file, size, 1.0));
    return icon;
}

} // namespace

QPixmap CheckImage(int index, qreal devicePixelRatio)
{
    if (index < 0 || index >= CheckImageCount)
        return {};
    static QHash<QPair<int, qreal>, QPixmap> cache;
    const auto key = qMakePair(index, devicePixelRatio);
    auto it = cache.constFind(key);
    if (it == cache.constEnd())
        it = cache.insert(key, Render(QString::fromLatin1(CheckFiles[index]), CheckImageSize, devicePixelRatio));
    return *it;
}

QIcon AppIcon()
{
    return IconOf(QStringLiteral(":/res/images/app.svg"), {16, 24, 32, 48, 64, 128, 256});
}

QIcon ApplyAllIcon()
{
    return IconOf(QStringLiteral(":/res/images/apply_all.svg"), {16, 32});
}

} // namespace Res
