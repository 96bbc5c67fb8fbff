// Rectangle fills and frames, hatch and pattern brushes, pixels and blits.
#include "controls/raster/canvas.h"
#include "controls/tests/support/image_compare.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <functional>

using namespace scrivlet;

using namespace gdi;

namespace {

constexpr ColorRef kPaper = RGB(255, 255, 255);
constexpr ColorRef kInk = RGB(10, 120, 230);
constexpr ColorRef kGap = RGB(250, 200, 100);

QImage blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(toQRgb(kPaper));
    return image;
}

// The image whose pixel (x, y) has colourAt(x, y).
QImage expectedImage(int w, int h, const std::function<ColorRef(int, int)> &colorAt)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, toQRgb(colorAt(x, y)));
    return image;
}

struct RectCase
{
    const char *name;
    Rect rect;
};

void PrintTo(const RectCase &c, std::ostream *out)
{
    *out << c.name;
}

class RectFills : public ::testing::TestWithParam<RectCase>
{
};

// FillRect covers [left, right) x [top, bottom), clipped to the image.
TEST_P(RectFills, FillExcludesRightAndBottom)
{
    const Rect r = GetParam().rect;
    QImage image = blank(12, 10);
    Canvas canvas(image);
    canvas.fillRect(r, kInk);
    const QImage expected = expectedImage(12, 10, [&r](int x, int y) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom ? kInk : kPaper;
    });
    EXPECT_TRUE(imagesEqual(image, expected, QStringLiteral("fill-%1").arg(QLatin1String(GetParam().name))));
}

// FrameRect draws the rectangle's outermost pixels only.
TEST_P(RectFills, FrameLiesInside)
{
    const Rect r = GetParam().rect;
    QImage image = blank(12, 10);
    Canvas canvas(image);
    canvas.frameRect(r, kInk);
    const QImage expected = expectedImage(12, 10, [&r](int x, int y) {
        const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
        const bool rim = x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1;
        return inside && rim ? kInk : kPaper;
    });
    EXPECT_TRUE(imagesEqual(image, expected, QStringLiteral("frame-%1").arg(QLatin1String(GetParam().name))));
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, RectFills,
    ::testing::Values(RectCase{"inner", {2, 3, 9, 8}}, RectCase{"whole", {0, 0, 12, 10}},
                      RectCase{"overhanging", {-4, -2, 20, 4}}, RectCase{"one_column", {5, 1, 6, 9}},
                      RectCase{"one_row", {1, 4, 11, 5}}, RectCase{"one_pixel", {3, 3, 4, 4}},
                      RectCase{"empty", {4, 4, 4, 8}}, RectCase{"inverted", {8, 8, 2, 2}}),
    PrintedCaseName());

// The 8 x 8 cells of the six hatch styles, row by row ('#' is a line pixel).
const char *const kHatchCells[6][8] = {
    {"........", "........", "........", "########", "........", "........", "........", "........"},
    {"....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#...", "....#..."},
    {"#.......", ".#......", "..#.....", "...#....", "....#...", ".....#..", "......#.", ".......#"},
    {".......#", "......#.", ".....#..", "....#...", "...#....", "..#.....", ".#......", "#......."},
    {"....#...", "....#...", "....#...", "########", "....#...", "....#...", "....#...", "....#..."},
    {"#......#", ".#....#.", "..#..#..", "...##...", "...##...", "..#..#..", ".#....#.", "#......#"},
};

int floorMod(int a, int m)
{
    return ((a % m) + m) % m;
}

struct HatchCase
{
    int style;
    Point origin;
    int bkMode;
};

void PrintTo(const HatchCase &c, std::ostream *out)
{
    *out << "style " << c.style << " origin " << c.origin.x << "," << c.origin.y
         << (c.bkMode == OPAQUE ? " opaque" : " transparent");
}

class HatchFills : public ::testing::TestWithParam<HatchCase>
{
};

TEST_P(HatchFills, PatternAlignedToTheBrushOrigin)
{
    const HatchCase c = GetParam();
    const Rect area{3, 2, 21, 19};
    QImage image = blank(24, 22);
    Canvas canvas(image);
    canvas.setBkColor(kGap);
    canvas.setBkMode(c.bkMode);
    canvas.setBrushOrigin(c.origin);
    canvas.fillRect(area, Brush::hatch(c.style, kInk));
    const QImage expected = expectedImage(24, 22, [&](int x, int y) {
        if (!area.contains(x, y))
            return kPaper;
        const char bit = kHatchCells[c.style][floorMod(y - c.origin.y, 8)][floorMod(x - c.origin.x, 8)];
        if (bit == '#')
            return kInk;
        return c.bkMode == OPAQUE ? kGap : kPaper;
    });
    EXPECT_TRUE(imagesEqual(
        image, expected,
        QStringLiteral("hatch-%1-%2-%3-%4").arg(c.style).arg(c.origin.x).arg(c.origin.y).arg(c.bkMode)));
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, HatchFills,
    ::testing::Values(HatchCase{HS_HORIZONTAL, {0, 0}, OPAQUE}, HatchCase{HS_VERTICAL, {0, 0}, OPAQUE},
                      HatchCase{HS_FDIAGONAL, {0, 0}, OPAQUE}, HatchCase{HS_BDIAGONAL, {0, 0}, OPAQUE},
                      HatchCase{HS_CROSS, {0, 0}, OPAQUE}, HatchCase{HS_DIAGCROSS, {0, 0}, OPAQUE},
                      HatchCase{HS_BDIAGONAL, {3, 5}, OPAQUE}, HatchCase{HS_CROSS, {-2, 7}, TRANSPARENT},
                      HatchCase{HS_FDIAGONAL, {1, 0}, TRANSPARENT}),
    PrintedCaseName());

TEST(CanvasBrush, UnknownHatchStyleIsANullBrushThatPaintsNothing)
{
    EXPECT_TRUE(Brush::hatch(6, kInk).isNull());
    EXPECT_TRUE(Brush::hatch(-1, kInk).isNull());
    QImage image = blank(8, 8);
    Canvas canvas(image);
    canvas.fillRect({0, 0, 8, 8}, Brush::hatch(9, kInk));
    EXPECT_TRUE(imagesEqual(image, blank(8, 8), QStringLiteral("hatch-invalid")));
}

TEST(CanvasBrush, PatternTilesThePictureFromTheOrigin)
{
    QImage tile(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            tile.setPixel(x, y, qRgb(x * 80, y * 120, 7));
    QImage image = blank(16, 12);
    Canvas canvas(image);
    canvas.setBrushOrigin({1, 1});
    const Rect area{2, 3, 13, 11};
    canvas.fillRect(area, Brush::pattern(tile));
    QImage expected = blank(16, 12);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            expected.setPixel(x, y, qRgb(floorMod(x - 1, 3) * 80, floorMod(y - 1, 2) * 120, 7));
    EXPECT_TRUE(imagesEqual(image, expected, QStringLiteral("pattern-brush")));
}

TEST(CanvasBrush, FrameWithAHatchBrushKeepsThePatternPhase)
{
    QImage image = blank(16, 16);
    Canvas canvas(image);
    canvas.setBkColor(kGap);
    canvas.frameRect({1, 1, 15, 15}, Brush::hatch(HS_DIAGCROSS, kInk));
    const QImage expected = expectedImage(16, 16, [](int x, int y) {
        const bool rim = (x == 1 || x == 14 || y == 1 || y == 14) && x >= 1 && x <= 14 && y >= 1 && y <= 14;
        if (!rim)
            return kPaper;
        return kHatchCells[HS_DIAGCROSS][y % 8][x % 8] == '#' ? kInk : kGap;
    });
    EXPECT_TRUE(imagesEqual(image, expected, QStringLiteral("frame-hatch")));
}

TEST(CanvasPixel, SetAndGetInsideAndOutside)
{
    QImage image = blank(4, 3);
    Canvas canvas(image);
    EXPECT_EQ(canvas.setPixel(3, 2, kInk), kInk);
    EXPECT_EQ(canvas.getPixel(3, 2), kInk);
    EXPECT_EQ(image.pixel(3, 2), toQRgb(kInk));
    for (const Point p : {Point{-1, 0}, Point{4, 0}, Point{0, 3}, Point{0, -1}}) {
        EXPECT_EQ(canvas.setPixel(p.x, p.y, kInk), CLR_INVALID);
        EXPECT_EQ(canvas.getPixel(p.x, p.y), CLR_INVALID);
    }
}

TEST(CanvasPixel, ConvertsOtherFormatsToRgb32)
{
    QImage image(5, 5, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    Canvas canvas(image);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    canvas.setPixel(1, 1, kInk);
    EXPECT_EQ(image.pixel(1, 1), toQRgb(kInk));
}

TEST(CanvasBlit, CopiesTheBlockAndClipsBothSides)
{
    QImage source(6, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            source.setPixel(x, y, qRgb(x * 40, y * 60, 99));
    QImage image = blank(5, 5);
    Canvas canvas(image);
    // From source (2, 1), 6 x 6 (beyond the source), to (-1, 2) (partly off the target).
    canvas.bitBlt(-1, 2, 6, 6, source, 2, 1);
    QImage expected = blank(5, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const int sx = x + 1 + 2;
            const int sy = y - 2 + 1;
            if (y >= 2 && sx < 6 && sy < 4)
                expected.setPixel(x, y, source.pixel(sx, sy));
        }
    EXPECT_TRUE(imagesEqual(image, expected, QStringLiteral("bitblt")));
}

TEST(CanvasPicture, ScalesAndLeavesOutTheMaskColor)
{
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, toQRgb(RGB(192, 192, 192)));
    picture.setPixel(1, 0, toQRgb(kInk));
    picture.setPixel(0, 1, toQRgb(kInk));
    picture.setPixel(1, 1, toQRgb(RGB(192, 192, 192)));
    QImage image = blank(8, 8);
    Canvas canvas(image);
    canvas.drawPicture(picture, {2, 2, 6, 6}, RGB(192, 192, 192));
    const QImage expected = expectedImage(8, 8, [](int x, int y) {
        if (x < 2 || x >= 6 || y < 2 || y >= 6)
            return kPaper;
        const bool left = x < 4;
        const bool top = y < 4;
        return left != top ? kInk : kPaper; // the grey quarters are transparent
    });
    EXPECT_TRUE(imagesEqual(image, expected, QStringLiteral("picture-mask")));
}

} // namespace
