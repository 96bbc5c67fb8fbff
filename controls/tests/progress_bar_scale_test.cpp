// On a high-DPI screen the bar is drawn at the device's resolution from its 1x geometry: at 2x it
// is the 1x bar in 2 x 2 blocks, and at 1.5 its frame is one stroke wide on every side.
#include "controls/progress_bar/progress_painter.h"
#include "controls/raster/canvas.h"
#include "controls/tests/support/image_compare.h"

#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

QImage paint(int look, int percentage, QSize size, qreal scale)
{
    QImage image = gdi::Canvas::surfaceImage(size, scale);
    image.fill(qRgb(1, 2, 3));
    gdi::Canvas dc(image);
    ProgressProps props;
    props.look = static_cast<ProgressLook>(look);
    props.percentage = percentage;
    props.color = 0x3C78D2;
    props.brushStyle = 2;
    props.image = QImage(5, 3, QImage::Format_RGB32);
    props.image.fill(qRgb(200, 30, 40));
    props.image.setPixel(1, 1, qRgb(20, 160, 90));
    ProgressLayout layout;
    ProgressPainter::paint(dc, props, size.width(), size.height(), layout);
    return image;
}

TEST(ProgressScale, TwiceTheScaleIsTheBarInBlocks)
{
    for (int look = 0; look <= 9; ++look)
        for (const int percentage : {0, 45, 100})
            EXPECT_TRUE(imagesEqual(paint(look, percentage, {105, 17}, 2),
                                    enlarged(paint(look, percentage, {105, 17}, 1), 2),
                                    QStringLiteral("bar-2x-look%1-%2").arg(look).arg(percentage)));
}

TEST(ProgressScale, FrameAtOneAndAHalfIsOneStrokeWideAllRound)
{
    // The bar looks' dark frame and the etched look's outer edge, on odd and even sizes.
    for (const int look : {0, 4})
        for (const QSize size : {QSize(105, 17), QSize(104, 16)}) {
            const QImage bar = paint(look, 45, size, 1.5);
            const int midY = bar.height() / 2;
            const int midX = bar.width() - 8; // beyond the fill
            const QString where =
                QStringLiteral("look %1 at %2 x %3").arg(look).arg(size.width()).arg(size.height());
            EXPECT_EQ(runLength(bar, {0, midY}, {1, 0}), 2) << qPrintable(where) << " left";
            EXPECT_EQ(runLength(bar, {bar.width() - 1, midY}, {-1, 0}), 2) << qPrintable(where) << " right";
            EXPECT_EQ(runLength(bar, {midX, 0}, {0, 1}), 2) << qPrintable(where) << " top";
            EXPECT_EQ(runLength(bar, {midX, bar.height() - 1}, {0, -1}), 2) << qPrintable(where) << " bottom";
        }
}

} // namespace
