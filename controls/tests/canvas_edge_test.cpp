// DrawEdge: 3-D borders of one or two one-pixel rings.
#include "controls/raster/canvas.h"
#include "controls/tests/support/image_compare.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace scrivlet;

using namespace gdi;

namespace {

constexpr ColorRef kPaper = RGB(1, 2, 3);

// Distinct colours, so a mixed-up role shows in the first differing pixel.
EdgeColors testColors()
{
    EdgeColors c;
    c.highlight = RGB(250, 250, 250);
    c.light = RGB(220, 220, 210);
    c.shadow = RGB(128, 128, 120);
    c.darkShadow = RGB(40, 40, 40);
    c.face = RGB(200, 190, 180);
    c.window = RGB(255, 255, 240);
    c.windowFrame = RGB(90, 0, 90);
    return c;
}

struct Ring
{
    ColorRef topLeft;
    ColorRef bottomRight;
};

struct EdgeCase
{
    const char *name;
    unsigned edge;
    Ring outer; // the ring at distance 0 from the rectangle's border
    Ring inner; // the ring at distance 1
};

void PrintTo(const EdgeCase &c, std::ostream *out)
{
    *out << c.name;
}

class Edges : public ::testing::TestWithParam<EdgeCase>
{
};

// Expected: in ring d (distance from the rectangle's border), a pixel on the ring's right column
// or bottom row has the bottom-right colour, every other ring pixel the top-left colour.
TEST_P(Edges, RingsOnAllFourSides)
{
    const EdgeCase c = GetParam();
    const Rect r{2, 1, 14, 9};
    QImage image(16, 11, QImage::Format_RGB32);
    image.fill(toQRgb(kPaper));
    Canvas canvas(image);
    canvas.setEdgeColors(testColors());
    Rect adjusted = r;
    ASSERT_TRUE(canvas.drawEdge(adjusted, c.edge, BF_RECT | BF_ADJUST));

    QImage expected(16, 11, QImage::Format_RGB32);
    int rings = 0;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 16; ++x) {
            ColorRef color = kPaper;
            if (r.contains(x, y)) {
                const int d = std::min({x - r.left, y - r.top, r.right - 1 - x, r.bottom - 1 - y});
                const bool bottomRight = x == r.right - 1 - d || y == r.bottom - 1 - d;
                const Ring *ring = d == 0 ? &c.outer : d == 1 ? &c.inner : nullptr;
                if (ring)
                    color = bottomRight ? ring->bottomRight : ring->topLeft;
            }
            expected.setPixel(x, y, toQRgb(color));
        }
    rings = (c.edge & BDR_OUTER ? 1 : 0) + (c.edge & BDR_INNER ? 1 : 0);
    EXPECT_TRUE(imagesEqual(image, expected, QStringLiteral("edge-%1").arg(QLatin1String(c.name))));
    EXPECT_EQ(adjusted, (Rect{r.left + rings, r.top + rings, r.right - rings, r.bottom - rings}));
}

const EdgeColors kC = testColors();

INSTANTIATE_TEST_SUITE_P(
    Canvas, Edges,
    ::testing::Values(EdgeCase{"raised", EDGE_RAISED, {kC.light, kC.darkShadow}, {kC.highlight, kC.shadow}},
                      EdgeCase{"sunken", EDGE_SUNKEN, {kC.shadow, kC.highlight}, {kC.darkShadow, kC.light}},
                      EdgeCase{"etched", EDGE_ETCHED, {kC.shadow, kC.highlight}, {kC.highlight, kC.shadow}},
                      EdgeCase{"bump", EDGE_BUMP, {kC.light, kC.darkShadow}, {kC.darkShadow, kC.light}},
                      // A lone outer border: one ring, the inside untouched.
                      EdgeCase{"sunken_outer", BDR_SUNKENOUTER, {kC.shadow, kC.highlight}, {kPaper, kPaper}},
                      EdgeCase{"raised_outer", BDR_RAISEDOUTER, {kC.light, kC.darkShadow}, {kPaper, kPaper}}),
    PrintedCaseName());

TEST(CanvasEdge, OnlyTheNamedSidesAreDrawn)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(toQRgb(kPaper));
    Canvas canvas(image);
    canvas.setEdgeColors(testColors());
    Rect r{0, 0, 8, 6};
    ASSERT_TRUE(canvas.drawEdge(r, BDR_SUNKENOUTER, BF_TOP | BF_RIGHT | BF_ADJUST));
    QImage expected(8, 6, QImage::Format_RGB32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            ColorRef color = kPaper;
            if (y == 0)
                color = kC.shadow;
            if (x == 7)
                color = kC.highlight;
            expected.setPixel(x, y, toQRgb(color));
        }
    EXPECT_TRUE(imagesEqual(image, expected, QStringLiteral("edge-top-right")));
    EXPECT_EQ(r, (Rect{0, 1, 7, 6}));
}

TEST(CanvasEdge, MiddleFillsTheInsideAndWithoutAdjustTheRectStays)
{
    QImage image(7, 7, QImage::Format_RGB32);
    image.fill(toQRgb(kPaper));
    Canvas canvas(image);
    canvas.setEdgeColors(testColors());
    Rect r{0, 0, 7, 7};
    ASSERT_TRUE(canvas.drawEdge(r, EDGE_ETCHED, BF_RECT | BF_MIDDLE));
    EXPECT_EQ(r, (Rect{0, 0, 7, 7}));
    for (int y = 2; y < 5; ++y)
        for (int x = 2; x < 5; ++x)
            EXPECT_EQ(canvas.getPixel(x, y), kC.face) << x << "," << y;
}

TEST(CanvasEdge, FlatAndMonoUseOneColorPerRing)
{
    for (const unsigned flag : {BF_FLAT, BF_MONO}) {
        QImage image(6, 6, QImage::Format_RGB32);
        Canvas canvas(image);
        canvas.setEdgeColors(testColors());
        Rect r{0, 0, 6, 6};
        ASSERT_TRUE(canvas.drawEdge(r, EDGE_SUNKEN, BF_RECT | flag));
        const ColorRef outer = flag == BF_FLAT ? kC.shadow : kC.windowFrame;
        const ColorRef inner = flag == BF_FLAT ? kC.face : kC.window;
        for (const Point p : {Point{0, 0}, Point{5, 0}, Point{0, 5}, Point{5, 5}})
            EXPECT_EQ(canvas.getPixel(p.x, p.y), outer) << flag;
        for (const Point p : {Point{1, 1}, Point{4, 1}, Point{1, 4}, Point{4, 4}})
            EXPECT_EQ(canvas.getPixel(p.x, p.y), inner) << flag;
    }
}

TEST(CanvasEdge, NoBorderDrawsNothing)
{
    QImage image(5, 5, QImage::Format_RGB32);
    image.fill(toQRgb(kPaper));
    Canvas canvas(image);
    Rect r{0, 0, 5, 5};
    EXPECT_FALSE(canvas.drawEdge(r, 0, BF_RECT | BF_MIDDLE | BF_ADJUST));
    EXPECT_EQ(r, (Rect{0, 0, 5, 5}));
    EXPECT_EQ(canvas.getPixel(2, 2), kPaper);
}

TEST(CanvasEdge, DefaultColorsAreTheStandardScheme)
{
    QImage image(4, 4, QImage::Format_RGB32);
    Canvas canvas(image);
    EXPECT_EQ(canvas.edgeColors(), EdgeColors::standard());
}

} // namespace
