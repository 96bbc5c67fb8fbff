// Every look drawn by the painter, compared pixel for pixel with pictures worked out from the
// drawing rules (progress_bar_reference.cpp), caption off.
#include "controls/progress_bar/progress_painter.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "controls/raster/canvas.h"
#include "controls/tests/progress_bar_reference.h"
#include "controls/tests/support/image_compare.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace scrivlet;

namespace {

constexpr std::uint32_t kBarColor = 0x3C78D2; // an arbitrary colour with three distinct channels

QImage pattern()
{
    // A small two-colour picture, so the tiling and its origin show.
    QImage picture(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.setPixel(x, y, (x + y) % 3 == 0 ? qRgb(200, 30, 40) : qRgb(20, 160, 90));
    return picture;
}

QImage paint(const ProgressProps &props, int width, int height, ProgressLayout *layoutOut = nullptr)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3)); // anything the drawing leaves alone would show
    gdi::Canvas dc(image);
    ProgressLayout layout;
    ProgressPainter::paint(dc, props, width, height, layout);
    if (layoutOut)
        *layoutOut = layout;
    return image;
}

ProgressProps props(int look, int percentage, std::uint32_t color = kBarColor)
{
    ProgressProps p;
    p.look = static_cast<ProgressLook>(look);
    p.percentage = percentage;
    p.color = color;
    p.brushStyle = 2;
    p.image = pattern();
    return p;
}

QString name(int look, int percentage, const char *what = "look")
{
    return QStringLiteral("%1%2-%3").arg(QLatin1String(what)).arg(look).arg(percentage);
}

// Names a (look, percentage) case look_4_at_45.
std::string lookAtPercentage(const ::testing::TestParamInfo<std::tuple<int, int>> &info)
{
    return caseName("look " + std::to_string(std::get<0>(info.param)) + " at " +
                    std::to_string(std::get<1>(info.param)));
}

class LookAtPercentage : public ::testing::TestWithParam<std::tuple<int, int>>
{
};

TEST_P(LookAtPercentage, MatchesTheRulesPixelForPixel)
{
    const auto [look, percentage] = GetParam();
    const QImage expected = reference::expectedBar(look, percentage, kBarColor, 105, 17, 2, pattern());
    EXPECT_TRUE(imagesEqual(paint(props(look, percentage), 105, 17), expected, name(look, percentage)));
}

// Looks 10 and -1 are not looks of their own: they draw as the smooth bar.
INSTANTIATE_TEST_SUITE_P(AllLooks, LookAtPercentage,
                         ::testing::Combine(::testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, -1),
                                            ::testing::Values(0, 45, 98, 100)),
                         lookAtPercentage);

// Other percentages and a taller bar, where the block grid, the 98 and 101 divisors and the
// shines' middle behave differently.
INSTANTIATE_TEST_SUITE_P(MorePercentages, LookAtPercentage,
                         ::testing::Combine(::testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 8, 9),
                                            ::testing::Values(1, 13, 50, 77, 99)),
                         lookAtPercentage);

class TallBar : public ::testing::TestWithParam<std::tuple<int, int>>
{
};

TEST_P(TallBar, MatchesTheRules)
{
    const auto [look, percentage] = GetParam();
    const QImage expected = reference::expectedBar(look, percentage, kBarColor, 160, 31, 2, pattern());
    EXPECT_TRUE(
        imagesEqual(paint(props(look, percentage), 160, 31), expected, name(look, percentage, "tall")));
}

INSTANTIATE_TEST_SUITE_P(AllLooks, TallBar,
                         ::testing::Combine(::testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 8, 9),
                                            ::testing::Values(0, 45, 100)),
                         lookAtPercentage);

class VerticalBar : public ::testing::TestWithParam<std::tuple<int, int>>
{
};

TEST_P(VerticalBar, FillsFromTheBottom)
{
    const auto [look, percentage] = GetParam();
    ProgressProps p = props(look, percentage);
    p.orientation = 1;
    const QImage expected = reference::expectedVerticalBar(look, percentage, kBarColor, 30, 90);
    EXPECT_TRUE(imagesEqual(paint(p, 30, 90), expected, name(look, percentage, "vertical")));
}

INSTANTIATE_TEST_SUITE_P(BarLooks, VerticalBar,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Values(0, 45, 98, 100)),
                         lookAtPercentage);

class HatchStyle : public ::testing::TestWithParam<std::tuple<int, int>>
{
};

TEST_P(HatchStyle, FillsWithTheHatchOnTheLightenedBackground)
{
    const auto [style, percentage] = GetParam();
    ProgressProps p = props(7, percentage);
    p.brushStyle = style;
    const QImage expected = reference::expectedBar(7, percentage, kBarColor, 105, 17, style);
    EXPECT_TRUE(imagesEqual(paint(p, 105, 17), expected, name(style, percentage, "hatch")));
}

INSTANTIATE_TEST_SUITE_P(SixStyles, HatchStyle,
                         ::testing::Combine(::testing::Values(0, 1, 2, 3, 4, 5), ::testing::Values(45, 100)),
                         [](const ::testing::TestParamInfo<std::tuple<int, int>> &param) {
                             return caseName("style " + std::to_string(std::get<0>(param.param)) + " at " +
                                             std::to_string(std::get<1>(param.param)));
                         });

TEST(HatchStyle, UnknownStyleLeavesOnlyTheEdge)
{
    for (const int style : {6, -1, 40000}) {
        ProgressProps p = props(7, 100);
        p.brushStyle = style;
        const QImage expected = reference::expectedBar(7, 0, kBarColor, 105, 17, 0);
        // At 0 per cent the fill is empty, so this is the bare edge on white.
        EXPECT_TRUE(imagesEqual(paint(p, 105, 17), expected, name(style, 100, "unknown-hatch"))) << style;
    }
}

TEST(PictureLook, WithoutPictureShowsOnlyTheSunkenBorder)
{
    ProgressProps p = props(8, 100);
    p.image = QImage();
    const QImage expected = reference::expectedBar(8, 100, kBarColor, 105, 17, 0, QImage());
    EXPECT_TRUE(imagesEqual(paint(p, 105, 17), expected, QStringLiteral("picture-none")));
}

TEST(Percentage, AboveHundredDrawsAsHundred)
{
    for (const int look : {0, 2, 4, 6, 9})
        EXPECT_TRUE(
            imagesEqual(paint(props(look, 250), 105, 17), paint(props(look, 100), 105, 17), name(look, 250)));
}

TEST(Percentage, WildlyNegativeDrawsLikeASlightlyNegativeOne)
{
    // Fill ends a billion pixels off the canvas must neither hang nor reach into the bar.
    for (int look = 0; look <= 9; ++look)
        EXPECT_TRUE(imagesEqual(paint(props(look, -2147483600), 105, 17), paint(props(look, -5), 105, 17),
                                name(look, -2147483600)));
}

TEST(Frame, CornerPixelsDoNotDependOnTheColor)
{
    const int r = 105, b = 17;
    for (const std::uint32_t color : {0x000000u, 0xFFFFFFu, 0x00FF00u, 0xC0FFC0u, 0x123456u}) {
        for (const int look : {0, 1, 2, 9}) {
            for (const int percentage : {0, 100}) {
                const QImage image = paint(props(look, percentage, color), r, b);
                for (const auto &[x, y, c] : reference::frameCorners(r, b))
                    EXPECT_EQ(image.pixel(x, y), qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF))
                        << "look " << look << " at " << percentage << "%, colour " << std::hex << color
                        << std::dec << ", pixel (" << x << ", " << y << ")";
            }
        }
    }
}

struct FillCase
{
    int look, percentage, fillRight;
};

void PrintTo(const FillCase &c, std::ostream *out)
{
    *out << "look " << c.look << " at " << c.percentage;
}

class FillEdge : public ::testing::TestWithParam<FillCase>
{
};

TEST_P(FillEdge, IsKeptForTheNextDrawing)
{
    const FillCase c = GetParam();
    ProgressLayout layout;
    paint(props(c.look, c.percentage), 105, 17, &layout);
    EXPECT_EQ(layout.fill.right, c.fillRight) << "look " << c.look << " at " << c.percentage << "%";
    EXPECT_EQ(layout.client, (gdi::Rect{0, 0, 105, 17})); // the 3 pixels are taken off again
}

INSTANTIATE_TEST_SUITE_P(Table, FillEdge,
                         ::testing::Values(FillCase{0, 0, 12},    // raised to the stub
                                           FillCase{0, 98, 99},   // 105 pulled back to the block grid
                                           FillCase{0, 100, 107}, // beyond the bar; the fill stops at 103
                                           FillCase{1, 45, 49},   // round(49.84) = 50, grid of 2 from 3
                                           FillCase{3, 45, 47},   // round(47.25)
                                           FillCase{5, 100, 104}, // round(103.96): 101, not 100
                                           FillCase{8, 100, 104}, FillCase{9, 50, 50}),
                         PrintedCaseName());

TEST(Gradient, SingleLineTakesTheFirstColor)
{
    QImage image(6, 6, QImage::Format_RGB32);
    image.fill(Qt::white);
    gdi::Canvas dc(image);
    std::uint32_t first = 0x102030, last = 0xFFFFFF;
    bool alongX = true;
    XP_ProgressBar::DrawGradient(first, last, 2, 1, 0, 4, dc, alongX);
    EXPECT_EQ(first, 0x102030u);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(image.pixel(x, y) & 0xFFFFFFu, x == 2 && y >= 1 && y < 4 ? 0x302010u : 0xFFFFFFu)
                << x << ", " << y;
}

TEST(Gradient, WritesBackResolvedColorsAndStepsInSinglePrecision)
{
    QImage image(20, 3, QImage::Format_RGB32);
    gdi::Canvas dc(image);
    std::uint32_t first = 0x80000005, last = 0x000000; // the window colour, then black
    bool alongX = true;
    XP_ProgressBar::DrawGradient(first, last, 0, 0, 7, 3, dc, alongX);
    EXPECT_EQ(first & 0xFF000000u, 0u);
    EXPECT_EQ(last, 0u);
    // From 0 to 255 in 7 steps: 36.428... a step; line 3 is 109.28 and line 5 is 182.14.
    image.fill(Qt::white);
    std::uint32_t from = 0x000000, to = 0x0000FF;
    XP_ProgressBar::DrawGradient(from, to, 0, 0, 7, 3, dc, alongX);
    EXPECT_EQ(qRed(image.pixel(3, 1)), 109);
    EXPECT_EQ(qRed(image.pixel(5, 1)), 182);
    EXPECT_EQ(qRed(image.pixel(7, 1)), 255);
    EXPECT_EQ(image.pixel(8, 1), qRgb(255, 255, 255)); // n + 1 lines, no more
    // A negative count draws nothing.
    image.fill(Qt::white);
    XP_ProgressBar::DrawGradient(from, to, 0, 0, -1, 3, dc, alongX);
    EXPECT_EQ(image.pixel(0, 1), qRgb(255, 255, 255));
}

} // namespace
