// Window outlines: rectangle, polygon and rounded-rectangle regions.
#include "controls/raster/gdi_region.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <vector>

using namespace scrivlet;

using namespace gdi;

namespace {

// Lattice point (x, y) against a convex polygon listed clockwise on screen (y down): inside when
// strictly right of every directed edge; on an edge only when that edge goes up or right (the
// inside lies to its right or below it).
bool convexContains(const std::vector<Point> &poly, int x, int y)
{
    for (std::size_t i = 0; i < poly.size(); ++i) {
        const Point a = poly[i];
        const Point b = poly[(i + 1) % poly.size()];
        const long long cross =
            static_cast<long long>(b.x - a.x) * (y - a.y) - static_cast<long long>(b.y - a.y) * (x - a.x);
        if (cross < 0)
            return false;
        if (cross == 0) {
            const int dx = b.x - a.x;
            const int dy = b.y - a.y;
            if (!(dy < 0 || (dy == 0 && dx > 0)))
                return false;
        }
    }
    return true;
}

std::vector<Point> cutOctagon(int w, int h)
{
    return {{0, 1}, {1, 0}, {w - 1, 0}, {w, 1}, {w, h - 2}, {w - 2, h}, {2, h}, {0, h - 2}};
}

struct SizeCase
{
    int w;
    int h;
};

void PrintTo(const SizeCase &c, std::ostream *out)
{
    *out << c.w << "x" << c.h;
}

class Octagon : public ::testing::TestWithParam<SizeCase>
{
};

TEST_P(Octagon, EveryPixelFollowsTheBoundaryRule)
{
    const auto [w, h] = GetParam();
    const std::vector<Point> poly = cutOctagon(w, h);
    for (const int mode : {ALTERNATE, WINDING}) {
        const QRegion region = createPolygonRgn(poly, mode);
        for (int y = -2; y < h + 2; ++y)
            for (int x = -2; x < w + 2; ++x)
                ASSERT_EQ(region.contains(QPoint(x, y)), convexContains(poly, x, y))
                    << "(" << x << ", " << y << ") in " << w << "x" << h << " mode " << mode;
    }
}

// The four cut corners, and the pixels beside them that the border colours, by position.
TEST_P(Octagon, CornersCutByOnePixel)
{
    const auto [w, h] = GetParam();
    const QRegion region = createPolygonRgn(cutOctagon(w, h), ALTERNATE);
    for (const QPoint out : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        EXPECT_FALSE(region.contains(out)) << out.x() << "," << out.y();
    for (const QPoint in : {QPoint(1, 0), QPoint(0, 1), QPoint(w - 2, 0), QPoint(w - 1, 1), QPoint(0, h - 2),
                            QPoint(1, h - 1), QPoint(w - 1, h - 2), QPoint(w - 2, h - 1)})
        EXPECT_TRUE(region.contains(in)) << in.x() << "," << in.y();
    int area = 0;
    for (const QRect &r : region)
        area += r.width() * r.height();
    EXPECT_EQ(area, w * h - 4);
}

INSTANTIATE_TEST_SUITE_P(Canvas, Octagon,
                         ::testing::Values(SizeCase{65, 25}, SizeCase{73, 25}, SizeCase{20, 20}),
                         PrintedCaseName());

TEST(CanvasRegion, RectanglePolygonIsTheRectangleEitherWayRound)
{
    const std::vector<Point> clockwise = {{3, 2}, {11, 2}, {11, 9}, {3, 9}};
    const std::vector<Point> counter = {{3, 2}, {3, 9}, {11, 9}, {11, 2}};
    EXPECT_EQ(createPolygonRgn(clockwise, ALTERNATE), QRegion(3, 2, 8, 7));
    EXPECT_EQ(createPolygonRgn(counter, WINDING), QRegion(3, 2, 8, 7));
    EXPECT_EQ(createRectRgn(3, 2, 11, 9), QRegion(3, 2, 8, 7));
    EXPECT_TRUE(createRectRgn(5, 5, 5, 9).isEmpty());
    EXPECT_TRUE(createRectRgn(9, 9, 2, 2).isEmpty());
}

TEST(CanvasRegion, FillModeDecidesTheStarsCentre)
{
    const std::vector<Point> star = {{20, 0}, {32, 36}, {2, 14}, {38, 14}, {8, 36}};
    const QRegion alternate = createPolygonRgn(star, ALTERNATE);
    const QRegion winding = createPolygonRgn(star, WINDING);
    EXPECT_FALSE(alternate.contains(QPoint(20, 20)));
    EXPECT_TRUE(winding.contains(QPoint(20, 20)));
    for (const QPoint tip : {QPoint(20, 6), QPoint(6, 15), QPoint(34, 15)}) {
        EXPECT_TRUE(alternate.contains(tip)) << tip.x() << "," << tip.y();
        EXPECT_TRUE(winding.contains(tip)) << tip.x() << "," << tip.y();
    }
    EXPECT_FALSE(winding.contains(QPoint(20, 34))); // between the two lower points
}

TEST(CanvasRegion, TooFewPointsGiveNothing)
{
    const std::vector<Point> line = {{0, 0}, {9, 9}};
    EXPECT_TRUE(createPolygonRgn(line, ALTERNATE).isEmpty());
    EXPECT_TRUE(createPolygonRgn({}, WINDING).isEmpty());
}

TEST(CanvasRegion, RoundRectStaysInsideAndIsSymmetric)
{
    const int w = 40;
    const int h = 30;
    const QRegion region = createRoundRectRgn(0, 0, w + 1, h + 1, 18, 18);
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, w, h));
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(2, 1)})
        EXPECT_FALSE(region.contains(corner)) << corner.x() << "," << corner.y();
    for (const QPoint in : {QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, h - 1),
                            QPoint(w / 2, h / 2), QPoint(4, 4)})
        EXPECT_TRUE(region.contains(in)) << in.x() << "," << in.y();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool here = region.contains(QPoint(x, y));
            ASSERT_EQ(here, region.contains(QPoint(w - 1 - x, y))) << x << "," << y;
            ASSERT_EQ(here, region.contains(QPoint(x, h - 1 - y))) << x << "," << y;
        }
    // Each corner cut is monotonic: rows nearer the middle never start further in.
    int previousStart = w;
    for (int y = 0; y < h / 2; ++y) {
        int start = 0;
        while (start < w && !region.contains(QPoint(start, y)))
            ++start;
        EXPECT_LE(start, previousStart) << y;
        previousStart = start;
    }
}

TEST(CanvasRegion, RoundRectWithoutEllipseIsTheSmallerRectangle)
{
    EXPECT_EQ(createRoundRectRgn(2, 3, 12, 10, 0, 0), QRegion(2, 3, 9, 6));
    EXPECT_EQ(createRoundRectRgn(2, 3, 12, 10, 1, 8), QRegion(2, 3, 9, 6));
}

} // namespace
