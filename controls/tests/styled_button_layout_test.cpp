// Where the caption and the icon go, the outlines of the looks, and the grey icon colours.
#include "controls/host/system_colors.h"
#include "controls/styled_button/button_outline.h"
#include "controls/styled_button/caption_layout.h"
#include "controls/styled_button/icon_painter.h"
#include "controls/styled_button/styled_button.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

using namespace gdi;

// A 73 x 25 button whose caption needs 40 x 15 pixels (measured rectangle (4, 4, 44, 19)); halves
// go to the even neighbour, so (73 - 48) / 2 = 12.5 gives 12 and (73 + 40) / 2 = 56.5 gives 56.
struct PlaceCase
{
    qint32 align;
    int margin;
    bool rtl;
    Rect rect;
    unsigned format;
};

void PrintTo(const PlaceCase &c, std::ostream *out)
{
    *out << "align " << c.align << " margin " << c.margin << (c.rtl ? " right to left" : "");
}

class CaptionPlacementTable : public ::testing::TestWithParam<PlaceCase>
{
};

TEST_P(CaptionPlacementTable, PlacesTheMeasuredCaption)
{
    const PlaceCase c = GetParam();
    const CaptionPlacement p = CaptionLayout::place(73, 25, {4, 4, 44, 19}, c.align, c.margin, c.rtl, 0x1234);
    EXPECT_EQ(p.rect, c.rect) << p.rect.left << "," << p.rect.top << "," << p.rect.right << ","
                              << p.rect.bottom;
    EXPECT_EQ(p.textFormat, c.format);
}

INSTANTIATE_TEST_SUITE_P(Alignments, CaptionPlacementTable,
                         ::testing::Values(PlaceCase{0, 3, false, {12, 4, 56, 20}, 21},
                                           PlaceCase{1, 3, false, {3, 4, 47, 20}, 20},
                                           PlaceCase{2, 3, false, {22, 4, 66, 20}, 22},
                                           PlaceCase{3, 3, false, {12, 2, 56, 17}, 17},
                                           PlaceCase{4, 3, false, {12, 8, 56, 23}, 25},
                                           PlaceCase{3, 5, false, {12, 2, 56, 17}, 17},
                                           PlaceCase{4, 7, false, {12, 6, 56, 21}, 25},
                                           PlaceCase{1, 6, false, {6, 4, 50, 20}, 20},
                                           PlaceCase{0, 3, true, {12, 4, 56, 20}, 21 | DT_RTLREADING},
                                           PlaceCase{9, 3, false, {4, 4, 69, 21}, 0x1234},
                                           PlaceCase{-1, 3, true, {4, 4, 69, 21}, 0x1234 | DT_RTLREADING}),
                         PrintedCaseName());

// The button measures its own caption: the centred box hugs the measured text.
TEST(CaptionOfAButton, CentredBoxFollowsTheMeasuredText)
{
    StyledButton button;
    PropertyBag bag;
    bag.writeInt32(QStringLiteral("Style"), 5);
    bag.writeText(QStringLiteral("Caption"), QStringLiteral("Save"));
    button.readProperties(bag);
    button.resize(73, 25);
    button.show();
    const Rect r = button.captionRect();
    const int tw = r.right - r.left - 4; // the box is 4 wider than the text (left at (W - tw)/2 - 4)
    EXPECT_GT(tw, 10);
    EXPECT_LT(tw, 60);
    EXPECT_LE(std::abs(r.left + 4 - (73 - tw) / 2), 1);
    EXPECT_LE(std::abs(r.right - (73 + tw) / 2), 1);
    EXPECT_EQ(button.textFormat(), DT_WORDBREAK | DT_VCENTER | DT_CENTER);
    button.setRightToLeft(true);
    EXPECT_EQ(button.textFormat(), DT_WORDBREAK | DT_VCENTER | DT_CENTER | DT_RTLREADING);
}

struct IconCase
{
    qint32 align;
    Point at;
};

void PrintTo(const IconCase &c, std::ostream *out)
{
    *out << "align " << c.align;
}

class IconPlacement : public ::testing::TestWithParam<IconCase>
{
};

// 65 x 25 with a 16-pixel icon and margin 3: (65 - 16) / 2 = 24.5 goes to 24, (25 - 16) / 2 = 4.5 to 4.
TEST_P(IconPlacement, AlignsWithinTheMargin)
{
    const IconCase c = GetParam();
    EXPECT_EQ(IconPainter::position(65, 25, 16, c.align, 3), c.at);
}

INSTANTIATE_TEST_SUITE_P(Alignments, IconPlacement,
                         ::testing::Values(IconCase{0, {24, 4}}, IconCase{1, {3, 4}}, IconCase{2, {46, 4}},
                                           IconCase{3, {24, 3}}, IconCase{4, {24, 6}}, IconCase{5, {0, 0}}),
                         PrintedCaseName());

struct GreyCase
{
    QRgb in;
    QRgb out;
};

void PrintTo(const GreyCase &c, std::ostream *out)
{
    *out << (qAlpha(c.in) == 255 ? "rgb " : "transparent rgb ") << qRed(c.in) << " " << qGreen(c.in) << " "
         << qBlue(c.in);
}

class IconGrey : public ::testing::TestWithParam<GreyCase>
{
};

TEST_P(IconGrey, NeutralGreysStayOthersTurnGrey)
{
    QImage icon(1, 1, QImage::Format_ARGB32);
    icon.setPixel(0, 0, GetParam().in);
    EXPECT_EQ(IconPainter::grayscale(icon).pixel(0, 0), GetParam().out);
}

// 0.33 R + 0.59 G + 0.11 B: (144,144,144) -> 148.32; (255,0,0) -> 84.15; (10,200,30) -> 124.6;
// (255,255,0) -> 234.6; (250,250,250) -> 257.5, capped.
INSTANTIATE_TEST_SUITE_P(Colors, IconGrey,
                         ::testing::Values(GreyCase{qRgb(128, 128, 128), qRgb(128, 128, 128)},
                                           GreyCase{qRgb(0, 0, 0), qRgb(0, 0, 0)},
                                           GreyCase{qRgb(160, 160, 160), qRgb(160, 160, 160)},
                                           GreyCase{qRgb(255, 255, 255), qRgb(255, 255, 255)},
                                           GreyCase{qRgb(144, 144, 144), qRgb(148, 148, 148)},
                                           GreyCase{qRgb(255, 0, 0), qRgb(84, 84, 84)},
                                           GreyCase{qRgb(10, 200, 30), qRgb(125, 125, 125)},
                                           GreyCase{qRgb(255, 255, 0), qRgb(235, 235, 235)},
                                           GreyCase{qRgb(250, 250, 250), qRgb(255, 255, 255)},
                                           GreyCase{qRgba(255, 0, 0, 0), qRgba(84, 84, 84, 0)}),
                         PrintedCaseName());

TEST(IconMask, MaskColorIsTransparentAndTheRestGreyWhenDisabled)
{
    QImage icon(2, 1, QImage::Format_RGB32);
    icon.setPixel(0, 0, qRgb(192, 192, 192));
    icon.setPixel(1, 0, qRgb(101, 50, 50)); // round(30.3) = 30; 30 + 29.5 + 5.5 = 65
    const QImage out = IconPainter::masked(icon, RGB(192, 192, 192), true);
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 0);
    EXPECT_EQ(out.pixel(1, 0), qRgb(65, 65, 65));
    EXPECT_EQ(IconPainter::masked(icon, RGB(192, 192, 192), false).pixel(1, 0), qRgb(101, 50, 50));
}

TEST(PaintIconGrayscale, RefusesMissingSurfaceOrIconAndDrawsOtherwise)
{
    QImage icon(4, 4, QImage::Format_ARGB32);
    icon.fill(qRgb(255, 0, 0));
    QImage dest(10, 10, QImage::Format_RGB32);
    dest.fill(Qt::white);
    EXPECT_FALSE(StyledButton::PaintIconGrayscale(nullptr, icon));
    EXPECT_FALSE(StyledButton::PaintIconGrayscale(&dest, QImage()));
    EXPECT_TRUE(StyledButton::PaintIconGrayscale(&dest, icon, 2, 3, 8, 6));
    EXPECT_EQ(dest.pixel(2, 3), qRgb(84, 84, 84));
    EXPECT_EQ(dest.pixel(7, 9), qRgb(84, 84, 84));
    EXPECT_EQ(dest.pixel(8, 3), qRgb(255, 255, 255)); // right of the 6-wide area
}

// Outlines: corners cut as each look's outline says, the middle always inside.
struct OutlineCase
{
    qint32 style;
    std::vector<QPoint> out;
    std::vector<QPoint> in;
};

void PrintTo(const OutlineCase &c, std::ostream *out)
{
    *out << "style " << c.style;
}

class Outline : public ::testing::TestWithParam<OutlineCase>
{
};

TEST_P(Outline, CutsTheCorners)
{
    const OutlineCase &c = GetParam();
    const QRegion r = ButtonOutline::region(static_cast<ButtonLook>(c.style), 65, 25);
    for (const QPoint &p : c.out)
        EXPECT_FALSE(r.contains(p)) << p.x() << "," << p.y();
    for (const QPoint &p : c.in)
        EXPECT_TRUE(r.contains(p)) << p.x() << "," << p.y();
    EXPECT_FALSE(r.contains(QPoint(65, 12)));
    EXPECT_FALSE(r.contains(QPoint(32, 25)));
}

INSTANTIATE_TEST_SUITE_P(
    Styles, Outline,
    ::testing::Values(
        OutlineCase{5, {{0, 0}, {0, 24}}, {{1, 0}, {0, 1}, {32, 12}, {2, 24}}},
        OutlineCase{7, {{0, 0}, {0, 24}}, {{32, 12}, {64, 12}}},
        OutlineCase{8, {{0, 0}, {1, 0}, {0, 1}, {0, 24}, {2, 24}, {64, 0}}, {{2, 0}, {32, 12}, {4, 24}}},
        OutlineCase{10, {{0, 0}, {1, 1}, {64, 24}, {64, 0}}, {{32, 0}, {32, 24}, {0, 12}, {64, 12}}},
        OutlineCase{0, {}, {{0, 0}, {64, 0}, {0, 24}, {64, 24}}}, OutlineCase{6, {}, {{0, 0}, {64, 24}}}),
    PrintedCaseName());

} // namespace
