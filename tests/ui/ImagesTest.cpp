// The icons and check images come out of the resources drawn, at the sizes
// the lists and windows ask for.
#include "res/Images.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// Mean grey level of the opaque pixels, 0 (black) .. 255 (white).
double MeanGreyOfInk(const QImage& image)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128) {
                sum += qGray(c.rgb());
                ++count;
            }
        }
    return count ? sum / count : -1;
}

int OpaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).alpha() > 128;
    return count;
}

} // namespace

TEST(CheckImages, SixDistinctDrawnImagesOfTheListSize)
{
    QList<QImage> images;
    for (int i = 0; i < Res::CheckImageCount; ++i) {
        const QPixmap pixmap = Res::CheckImage(i);
        ASSERT_FALSE(pixmap.isNull()) << i;
        EXPECT_EQ(pixmap.size(), QSize(Res::CheckImageSize, Res::CheckImageSize)) << i;
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_GT(OpaquePixels(image), 20) << "image " << i << " is blank";
        for (int j = 0; j < images.size(); ++j)
            EXPECT_NE(image, images[j]) << "images " << j << " and " << i << " are the same";
        images.append(image);
    }
    for (int state = 0; state < Res::CheckImageGreyed; ++state)
        EXPECT_GT(MeanGreyOfInk(images[state + Res::CheckImageGreyed]), MeanGreyOfInk(images[state]))
            << "greyed image of state " << state << " is not lighter";
}

TEST(CheckImages, SharpOnHighDensityScreensAndNoneOutsideTheStrip)
{
    const QPixmap doubled = Res::CheckImage(1, 2.0);
    EXPECT_EQ(doubled.size(), QSize(32, 32));
    EXPECT_EQ(doubled.deviceIndependentSize(), QSizeF(16, 16));
    EXPECT_TRUE(Res::CheckImage(-1).isNull());
    EXPECT_TRUE(Res::CheckImage(Res::CheckImageCount).isNull());
}

TEST(Icons, ProgramAndApplyAllIconsAreDrawn)
{
    for (const QIcon& icon : {Res::AppIcon(), Res::ApplyAllIcon()}) {
        ASSERT_FALSE(icon.isNull());
        const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_GT(OpaquePixels(image), 30);
    }
    EXPECT_GT(OpaquePixels(Res::AppIcon().pixmap(64, 64).toImage().convertToFormat(QImage::Format_ARGB32)), 1000);
}
