// The looks beyond the program's own: each distinguishes its states, keeps its margin, follows
// the state corrections, and the gradient look derives its custom shades from the back colour.
#include "controls/host/system_colors.h"
#include "controls/styled_button/about_panel.h"
#include "controls/styled_button/button_painter.h"
#include "controls/styled_button/styled_button.h"
#include "controls/tests/support/image_compare.h"
#include "tests/support/case_name.h"

#include <QApplication>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

class Looks : public ::testing::Test
{
protected:
    void SetUp() override { SystemColors::setSource(SystemColors::Source::Standard); }
    void TearDown() override { SystemColors::setSource(SystemColors::Source::Palette); }

    static ButtonFaceInput input(qint32 style, ButtonState state)
    {
        ButtonFaceInput in;
        in.size = {73, 25};
        in.look = static_cast<ButtonLook>(style);
        in.state = state;
        in.enabled = state != ButtonState::Disabled;
        in.system = ButtonSystemColors::current();
        in.qstyle = QApplication::style();
        return in;
    }
};

struct MarginCase
{
    qint32 style;
    int margin;
    bool disabledFace; // whether the face itself (not only the caption) changes when disabled
};

void PrintTo(const MarginCase &c, std::ostream *out)
{
    *out << "style " << c.style;
}

class LookMargin : public Looks, public ::testing::WithParamInterface<MarginCase>
{
};

// Every look draws pressed apart from rest; most also have a face of their own when disabled.
TEST_P(LookMargin, DrawsItsStatesApartAndKeepsItsMargin)
{
    const MarginCase c = GetParam();
    const ButtonFace rest = ButtonPainter::paint(input(c.style, ButtonState::Normal));
    const ButtonFace pressed = ButtonPainter::paint(input(c.style, ButtonState::Pressed));
    const ButtonFace disabled = ButtonPainter::paint(input(c.style, ButtonState::Disabled));
    EXPECT_EQ(rest.margin, c.margin);
    EXPECT_EQ(static_cast<qint32>(rest.look), c.style);
    EXPECT_NE(rest.image, pressed.image);
    EXPECT_EQ(rest.image != disabled.image, c.disabledFace);
    EXPECT_NE(pressed.image, disabled.image);
    EXPECT_EQ(disabled.state, ButtonState::Disabled);
}

INSTANTIATE_TEST_SUITE_P(AllStyles, LookMargin,
                         ::testing::Values(MarginCase{0, 3, false}, MarginCase{1, 3, true},
                                           MarginCase{2, 3, false}, MarginCase{3, 3, true},
                                           MarginCase{4, 3, false}, MarginCase{5, 3, true},
                                           MarginCase{6, 3, true}, MarginCase{7, 4, true},
                                           MarginCase{8, 4, true}, MarginCase{9, 6, true},
                                           MarginCase{10, 7, false}),
                         PrintedCaseName());

TEST_F(Looks, HotDiffersFromRestWhereTheLookHasAHoverShade)
{
    for (qint32 style : {2, 3, 4, 5, 7, 8, 9, 10}) {
        EXPECT_NE(ButtonPainter::paint(input(style, ButtonState::Normal)).image,
                  ButtonPainter::paint(input(style, ButtonState::Hot)).image)
            << "style " << style;
    }
}

TEST_F(Looks, ThemedLookWithoutAStyleFallsBackToItsStandIn)
{
    ButtonFaceInput in = input(6, ButtonState::Normal);
    in.qstyle = nullptr;
    in.nonThemeStyle = ButtonLook::LookBevel;
    const ButtonFace face = ButtonPainter::paint(in);
    EXPECT_EQ(face.look, ButtonLook::LookBevel);
    EXPECT_EQ(face.margin, 4);
    EXPECT_EQ(face.image, ButtonPainter::paint(input(8, ButtonState::Normal)).image);
}

TEST_F(Looks, StateCorrections)
{
    ButtonFaceInput designing = input(3, ButtonState::Normal);
    designing.designMode = true;
    EXPECT_EQ(ButtonPainter::paint(designing).state, ButtonState::Hot);
    designing.look = ButtonLook::LookGradient;
    EXPECT_EQ(ButtonPainter::paint(designing).state, ButtonState::Normal);

    ButtonFaceInput toggled = input(5, ButtonState::Hot);
    toggled.buttonType = 1;
    toggled.value = true;
    EXPECT_EQ(ButtonPainter::paint(toggled).state, ButtonState::Pressed);

    ButtonFaceInput off = input(5, ButtonState::Pressed);
    off.enabled = false;
    off.buttonType = 1;
    off.value = true;
    EXPECT_EQ(ButtonPainter::paint(off).state, ButtonState::Disabled);
}

// The custom shades move the fixed ones by the back colour's distance from the reference face, so
// the reference face itself (and the reference highlights) reproduce the fixed look.
TEST_F(Looks, CustomGradientOnTheReferenceColorsIsTheFixedLook)
{
    for (ButtonState state : {ButtonState::Normal, ButtonState::Hot, ButtonState::Pressed}) {
        ButtonFaceInput custom = input(5, state);
        custom.useCustomColors = true;
        custom.backColor = custom.system.face;
        custom.highlightColor = gdi::RGB(248, 179, 48);
        EXPECT_TRUE(imagesEqual(ButtonPainter::paint(custom).image,
                                ButtonPainter::paint(input(5, state)).image,
                                QStringLiteral("custom_reference")));
    }
    ButtonFaceInput red = input(5, ButtonState::Normal);
    red.useCustomColors = true;
    red.backColor = gdi::RGB(200, 40, 40);
    const QImage img = ButtonPainter::paint(red).image;
    EXPECT_GT(qRed(img.pixel(36, 12)), qGreen(img.pixel(36, 12)) + 100);
}

struct CaptionColorCase
{
    bool custom;
    ButtonState state;
    gdi::ColorRef expected;
};

void PrintTo(const CaptionColorCase &c, std::ostream *out)
{
    const char *states[] = {"?", "normal", "hot", "pressed", "disabled"};
    const auto state = static_cast<std::size_t>(c.state);
    *out << (c.custom ? "custom colours " : "system colours ") << states[state < 5 ? state : 0];
}

class CaptionColor : public Looks, public ::testing::WithParamInterface<CaptionColorCase>
{
};

// A large bold "M" has fully covered pixels, which show the caption colour exactly.
TEST_P(CaptionColor, FollowsStateAndCustomColors)
{
    const CaptionColorCase c = GetParam();
    ButtonFaceInput in = input(2, c.state);
    in.size = {120, 60};
    in.useCustomColors = c.custom;
    in.fontColor = gdi::RGB(200, 0, 0);
    in.fontHighlightColor = gdi::RGB(0, 0, 200);
    in.highlightColor = gdi::RGB(255, 255, 255); // the hot face, light enough for both caption colours
    in.system.grayText = gdi::RGB(0, 150, 0);
    in.system.buttonText = gdi::RGB(90, 60, 30);
    in.caption = QStringLiteral("M");
    in.font = QFont(QStringLiteral("DejaVu Sans"), 30, QFont::Black);
    in.captionRect = {0, 0, 120, 60};
    const QImage img = ButtonPainter::paint(in).image;
    const QRgb want = gdi::toQRgb(c.expected) & 0xFFFFFFu;
    int hits = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            hits += (img.pixel(x, y) & 0xFFFFFFu) == want ? 1 : 0;
    EXPECT_GT(hits, 20);
}

INSTANTIATE_TEST_SUITE_P(Rules, CaptionColor,
                         ::testing::Values(CaptionColorCase{true, ButtonState::Normal, gdi::RGB(200, 0, 0)},
                                           CaptionColorCase{true, ButtonState::Hot, gdi::RGB(0, 0, 200)},
                                           CaptionColorCase{true, ButtonState::Pressed, gdi::RGB(0, 0, 200)},
                                           CaptionColorCase{true, ButtonState::Disabled, gdi::RGB(0, 150, 0)},
                                           CaptionColorCase{false, ButtonState::Hot, gdi::RGB(90, 60, 30)},
                                           CaptionColorCase{false, ButtonState::Disabled,
                                                            gdi::RGB(0, 150, 0)}),
                         PrintedCaseName());

TEST_F(Looks, IconIsPlacedAndShiftedWhenPressed)
{
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgb(255, 0, 0));
    ButtonFaceInput in = input(1, ButtonState::Normal);
    in.icon = icon;
    in.iconAlign = 1; // (M, (25 - 16) / 2) = (3, 4)
    const QImage rest = ButtonPainter::paint(in).image;
    EXPECT_EQ(rest.pixel(3, 4), qRgb(255, 0, 0));
    EXPECT_EQ(rest.pixel(18, 19), qRgb(255, 0, 0));
    EXPECT_NE(rest.pixel(19, 4), qRgb(255, 0, 0));
    in.state = ButtonState::Pressed;
    const QImage down = ButtonPainter::paint(in).image;
    EXPECT_NE(down.pixel(3, 4), qRgb(255, 0, 0));
    EXPECT_EQ(down.pixel(19, 20), qRgb(255, 0, 0));
    in.state = ButtonState::Disabled;
    in.enabled = false;
    EXPECT_EQ(ButtonPainter::paint(in).image.pixel(3, 4), qRgb(84, 84, 84));
}

// Values outside their ranges draw a plain surface instead of failing: unknown styles draw no face
// and keep margin 3, odd icon sizes are clipped or skipped.
TEST_F(Looks, OutOfRangeValuesStillGiveAFullSurface)
{
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgb(255, 0, 0));
    for (qint32 style : {-1, 11, 99}) {
        for (int iconSize : {0, -4, 2000}) {
            ButtonFaceInput in = input(style, ButtonState::Hot);
            in.icon = icon;
            in.iconSize = iconSize;
            in.iconAlign = 7;
            const ButtonFace face = ButtonPainter::paint(in);
            EXPECT_EQ(face.image.size(), QSize(73, 25));
            EXPECT_EQ(face.margin, 3);
            EXPECT_EQ(static_cast<qint32>(face.look), style);
        }
    }
}

TEST(AboutPanel, ShowsAsItsOwnWindowAndHidesOnAClick)
{
    StyledButton button;
    button.About();
    QWidget *panel = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->windowTitle() == QStringLiteral("About StyledButton 3.6.2"))
            panel = w;
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(static_cast<AboutPanel *>(panel)->closePressed());
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(panel->isVisible());
}

} // namespace
