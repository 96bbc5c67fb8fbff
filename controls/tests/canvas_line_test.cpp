// Lines: one-pixel cosmetic lines that leave out their end pixel, with GDI's tie rule (a line
// passing exactly between two pixels lights the upper one when mostly horizontal, the left one
// when mostly vertical).
#include "controls/raster/canvas.h"
#include "controls/tests/support/image_compare.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

using namespace scrivlet;

using namespace gdi;

namespace {

constexpr ColorRef kInk = RGB(200, 10, 30);
using PixelSet = std::set<std::pair<int, int>>;

PixelSet inkedPixels(const QImage &image)
{
    PixelSet pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) == (toQRgb(kInk) & 0xFFFFFFu))
                pixels.insert({x, y});
    return pixels;
}

PixelSet drawn(int x1, int y1, int x2, int y2, int size = 24)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    Canvas canvas(image);
    canvas.drawLine(x1, y1, x2, y2, kInk);
    return inkedPixels(image);
}

// Reference from the geometric rule, in floating point: step along the major axis from the start
// (inclusive) to the end (exclusive); the minor coordinate is the nearest pixel to the exact line,
// an exact half going to the smaller coordinate.
PixelSet reference(int x1, int y1, int x2, int y2)
{
    PixelSet pixels;
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int n = xMajor ? std::abs(dx) : std::abs(dy);
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double minor = xMajor ? y1 + t * dy : x1 + t * dx;
        double nearest = std::floor(minor + 0.5);
        if (nearest - minor == 0.5) // exact half: the smaller neighbour
            nearest -= 1.0;
        const int m = static_cast<int>(nearest);
        if (xMajor)
            pixels.insert({x1 + (dx > 0 ? i : -i), m});
        else
            pixels.insert({m, y1 + (dy > 0 ? i : -i)});
    }
    return pixels;
}

struct LineCase
{
    const char *name;
    int x1, y1, x2, y2;
    PixelSet expected;
};

void PrintTo(const LineCase &c, std::ostream *out)
{
    *out << c.name;
}

class KnownLines : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(KnownLines, SetExactlyThesePixels)
{
    const LineCase &c = GetParam();
    EXPECT_EQ(drawn(c.x1, c.y1, c.x2, c.y2), c.expected) << c.name;
}

// Worked out by hand from the rules above.
INSTANTIATE_TEST_SUITE_P(
    Canvas, KnownLines,
    ::testing::Values(LineCase{"horizontal right", 2, 3, 6, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
                      LineCase{"horizontal left", 6, 3, 2, 3, {{6, 3}, {5, 3}, {4, 3}, {3, 3}}},
                      LineCase{"vertical down", 4, 1, 4, 4, {{4, 1}, {4, 2}, {4, 3}}},
                      LineCase{"vertical up", 4, 4, 4, 1, {{4, 4}, {4, 3}, {4, 2}}},
                      LineCase{"45 down right", 1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}}},
                      LineCase{"45 up left", 4, 4, 1, 1, {{4, 4}, {3, 3}, {2, 2}}},
                      LineCase{"45 up right", 1, 4, 4, 1, {{1, 4}, {2, 3}, {3, 2}}},
                      LineCase{"45 down left", 4, 1, 1, 4, {{4, 1}, {3, 2}, {2, 3}}},
                      // Ties at x = 1 (y = 0.5) and x = 3 (y = 1.5) go up.
                      LineCase{"shallow tie right", 0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
                      LineCase{"shallow tie left", 4, 2, 0, 0, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},
                      // Ties at y = 1 (x = 0.5) and y = 3 (x = 1.5) go left.
                      LineCase{"steep tie down", 0, 0, 2, 4, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
                      LineCase{"steep tie up", 2, 4, 0, 0, {{2, 4}, {1, 3}, {1, 2}, {0, 1}}},
                      // No ties: y = 1/3 and 2/3 round to 0 and 1.
                      LineCase{"one in three", 0, 0, 3, 1, {{0, 0}, {1, 0}, {2, 1}}},
                      LineCase{"one in three back", 3, 1, 0, 0, {{3, 1}, {2, 1}, {1, 0}}},
                      LineCase{"single step", 5, 5, 6, 5, {{5, 5}}}, LineCase{"point", 5, 5, 5, 5, {}}),
    PrintedCaseName());

// Every line between points of a 9 x 9 grid (all octants, all slopes up to 8:1) against the
// floating-point reference; the start pixel is always set and the end pixel never.
TEST(CanvasLine, AllDirectionsMatchTheRule)
{
    for (int x1 = 0; x1 < 9; ++x1)
        for (int y1 = 0; y1 < 9; ++y1)
            for (int x2 = 0; x2 < 9; ++x2)
                for (int y2 = 0; y2 < 9; ++y2) {
                    const PixelSet got = drawn(x1 + 4, y1 + 4, x2 + 4, y2 + 4);
                    ASSERT_EQ(got, reference(x1 + 4, y1 + 4, x2 + 4, y2 + 4))
                        << "(" << x1 << "," << y1 << ") to (" << x2 << "," << y2 << ")";
                    if (x1 != x2 || y1 != y2) {
                        ASSERT_TRUE(got.count({x1 + 4, y1 + 4}));
                        ASSERT_FALSE(got.count({x2 + 4, y2 + 4}));
                        ASSERT_EQ(static_cast<int>(got.size()),
                                  std::max(std::abs(x2 - x1), std::abs(y2 - y1)));
                    }
                }
}

// Long lines of odd slopes, partly outside the image: the visible part is exactly the rule's.
TEST(CanvasLine, LongClippedLinesMatchTheRule)
{
    const int ends[][4] = {
        {-3, 2, 120, 9}, {5, -7, 17, 140}, {127, 100, -20, 3}, {60, 130, 70, -5}, {140, 10, -30, 60}};
    for (const auto &e : ends) {
        PixelSet visible;
        for (const auto &p : reference(e[0], e[1], e[2], e[3]))
            if (p.first >= 0 && p.second >= 0 && p.first < 128 && p.second < 128)
                visible.insert(p);
        EXPECT_EQ(drawn(e[0], e[1], e[2], e[3], 128), visible)
            << e[0] << "," << e[1] << " to " << e[2] << "," << e[3];
    }
}

// Far ends are clipped without walking to them; beyond GDI's 28-bit coordinate space nothing is drawn.
TEST(CanvasLine, FarEndsAreClippedAndOutOfRangeLinesRefused)
{
    PixelSet row;
    for (int x = 0; x < 24; ++x)
        row.insert({x, 3});
    EXPECT_EQ(drawn(-100000000, 3, 100000000, 3), row);
    EXPECT_EQ(drawn(100000000, 3, -100000000, 3), row);
    EXPECT_TRUE(drawn(-200000000, 3, 5, 3).empty());
    EXPECT_TRUE(drawn(5, 3, 5, 200000000).empty());
}

TEST(CanvasLine, LineToMovesTheCurrentPositionAndUsesThePen)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    Canvas canvas(image);
    canvas.setPenColor(kInk);
    EXPECT_EQ(canvas.moveTo(1, 1), (Point{0, 0}));
    canvas.lineTo(4, 1);
    canvas.lineTo(4, 4);
    // The corner (4, 1) is the second line's start, so a polyline has no gap; (4, 4) stays white.
    EXPECT_EQ(inkedPixels(image), (PixelSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}}));
    EXPECT_EQ(canvas.moveTo(0, 0), (Point{4, 4}));
}

TEST(CanvasLine, DrawLineKeepsThePenColor)
{
    QImage image(4, 4, QImage::Format_RGB32);
    Canvas canvas(image);
    canvas.setPenColor(RGB(1, 2, 3));
    canvas.drawLine(0, 0, 3, 0, kInk);
    EXPECT_EQ(canvas.penColor(), RGB(1, 2, 3));
    EXPECT_EQ(canvas.getPixel(0, 0), kInk);
}

TEST(CanvasLine, ClosedPolylineSetsEveryCorner)
{
    QImage image(6, 5, QImage::Format_RGB32);
    image.fill(Qt::white);
    Canvas canvas(image);
    const Point outline[] = {{0, 0}, {5, 0}, {5, 4}, {0, 4}, {0, 0}};
    canvas.polyline(outline, kInk);
    QImage expected(6, 5, QImage::Format_RGB32);
    expected.fill(Qt::white);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            if (x == 0 || y == 0 || x == 5 || y == 4)
                expected.setPixel(x, y, toQRgb(kInk));
    EXPECT_TRUE(imagesEqual(image, expected, QStringLiteral("polyline-outline")));
}

} // namespace
