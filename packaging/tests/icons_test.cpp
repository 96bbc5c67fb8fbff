// The icon theme's pictures: every size the package installs, each the same picture as the
// title bar's icon rather than a blurred or cropped one.
#include "packaging/tests/test_paths.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

QImage themeIcon(int size)
{
    return QImage(buildPath(QStringLiteral("icons/hicolor/%1x%1/apps/scrivlet.png").arg(size)))
        .convertToFormat(QImage::Format_ARGB32);
}

// Mean difference per channel (0-255) of two images of one size.
double meanDifference(const QImage &a, const QImage &b)
{
    long long sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return static_cast<double>(sum) / (4.0 * a.width() * a.height());
}

class ThemeIcon : public testing::TestWithParam<int>
{
};

TEST_P(ThemeIcon, IsSquareWithTransparentCorners)
{
    const int size = GetParam();
    const QImage icon = themeIcon(size);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(size - 1, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(0, size - 1)), 0);
}

// Compared at the smaller of the two sizes, where scaling loses nothing.
TEST_P(ThemeIcon, ShowsThePictureOfTheWindowIcon)
{
    const QImage reference = themeIcon(32);
    const QImage icon = themeIcon(GetParam());
    ASSERT_FALSE(reference.isNull());
    ASSERT_FALSE(icon.isNull());
    const int side = std::min(GetParam(), 32);
    const auto fit = [side](const QImage &image) {
        return image.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    EXPECT_LT(meanDifference(fit(icon), fit(reference)), 12.0);
}

// Pairs of neighbouring opaque pixels in a row whose brightness differs strongly.
int sharpEdges(const QImage &image)
{
    int sharp = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x + 1 < image.width(); ++x) {
            const QRgb p = image.pixel(x, y), q = image.pixel(x + 1, y);
            if (qAlpha(p) == 255 && qAlpha(q) == 255 && std::abs(qGray(p) - qGray(q)) > 80)
                ++sharp;
        }
    return sharp;
}

class LargeThemeIcon : public testing::TestWithParam<int>
{
};

// Drawn at its size, not blown up from 32 pixels, whose edges smear over several pixels.
TEST_P(LargeThemeIcon, IsDrawnNotBlownUp)
{
    const int size = GetParam();
    const QImage icon = themeIcon(size);
    ASSERT_FALSE(icon.isNull());
    const QImage blownUp = themeIcon(32).scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const int edges = sharpEdges(icon);
    EXPECT_GT(2 * edges, 3 * sharpEdges(blownUp));
    // The page's frame and text lines give more than one edge a row.
    EXPECT_GT(edges, size);
}

std::string sizeName(const testing::TestParamInfo<int> &param)
{
    return std::to_string(param.param) + "_pixels";
}

INSTANTIATE_TEST_SUITE_P(Packaging, ThemeIcon, testing::Values(16, 32, 48, 64, 128, 256), sizeName);
INSTANTIATE_TEST_SUITE_P(Packaging, LargeThemeIcon, testing::Values(48, 64, 128, 256), sizeName);

} // namespace
