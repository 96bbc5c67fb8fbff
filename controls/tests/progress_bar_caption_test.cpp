// The caption: its text, where it goes, and which colour each of its pixels takes. Glyph shapes
// are the font engine's, so the checks look at which pixels changed and in what colour.
#include "controls/host/system_colors.h"
#include "controls/host/user_control.h"
#include "controls/progress_bar/progress_painter.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "controls/raster/canvas.h"
#include "controls/tests/progress_bar_reference.h"
#include "controls/tests/support/image_compare.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace scrivlet;

namespace {

constexpr std::uint32_t kBarColor = 0x3C78D2;

QFont captionFont()
{
    QFont font = UserControl::defaultFont();
    font.setStyleStrategy(QFont::NoAntialias); // glyph pixels then take the text colour exactly
    return font;
}

QImage paint(int look, int percentage, bool showText, ProgressLayout *layout = nullptr)
{
    QImage image(105, 17, QImage::Format_RGB32);
    gdi::Canvas dc(image);
    ProgressProps props;
    props.look = static_cast<ProgressLook>(look);
    props.percentage = percentage;
    props.color = kBarColor;
    props.showText = showText;
    props.font = captionFont();
    ProgressLayout local;
    ProgressPainter::paint(dc, props, 105, 17, layout ? *layout : local);
    return image;
}

// Width and height of a text on one line in the caption font, measured on a canvas of our own.
QSize measure(const QString &text)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    gdi::Canvas dc(scratch);
    dc.setFont(captionFont());
    gdi::Rect r{0, 0, 0, 0};
    dc.drawText(text, r, gdi::DT_SINGLELINE | gdi::DT_CALCRECT);
    return {r.width(), r.height()};
}

// The colour as compared here: RGB without alpha.
QRgb qt(std::uint32_t c)
{
    return rgbFromColorRef(c) & 0xFFFFFFu;
}

struct TextCase
{
    int look, percentage;
    const char *text;
};

void PrintTo(const TextCase &c, std::ostream *out)
{
    *out << "look " << c.look << " at " << c.percentage;
}

class CaptionText : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(CaptionText, IsThePercentageOrTheSearchingText)
{
    const TextCase c = GetParam();
    for (const bool shown : {false, true}) {
        ProgressLayout layout;
        paint(c.look, c.percentage, shown, &layout);
        EXPECT_EQ(layout.captionText, QString::fromLatin1(c.text)) << "shown " << shown;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CaptionText,
                         ::testing::Values(TextCase{0, 45, "45 %"}, TextCase{1, 0, "0 %"},
                                           TextCase{9, 100, "100 %"}, TextCase{4, 250, "100 %"},
                                           TextCase{2, 45, "Gathering Required Information"},
                                           TextCase{2, 100, "Gathering Required Information"}),
                         PrintedCaseName());

// Names a (look, percentage) case look_4_at_45.
std::string lookAtPercentage(const ::testing::TestParamInfo<std::tuple<int, int>> &info)
{
    return caseName("look " + std::to_string(std::get<0>(info.param)) + " at " +
                    std::to_string(std::get<1>(info.param)));
}

class CaptionPlace : public ::testing::TestWithParam<std::tuple<int, int>>
{
};

TEST_P(CaptionPlace, IsCentredOnTheBar)
{
    const auto [look, percentage] = GetParam();
    ProgressLayout layout;
    paint(look, percentage, true, &layout);
    const QSize size = measure(layout.captionText);
    ASSERT_GT(size.width(), 0);
    const int left = static_cast<int>(std::nearbyint(105 / 2.0 - size.width() / 2.0));
    const int top = static_cast<int>(std::nearbyint(17 / 2.0 - size.height() / 2.0));
    EXPECT_EQ(layout.caption.left, left);
    EXPECT_EQ(layout.caption.top, top);
    EXPECT_EQ(layout.caption.right, left + size.width());
    EXPECT_EQ(layout.caption.bottom, top + size.height());
}

INSTANTIATE_TEST_SUITE_P(SingleColorLooks, CaptionPlace,
                         ::testing::Combine(::testing::Values(0, 1, 2, 3, 4, 5, 7, 8),
                                            ::testing::Values(0, 45, 100)),
                         lookAtPercentage);

// Every pixel the caption changed, with its colour, against the same drawing without caption.
struct Changed
{
    int x, y;
    QRgb rgb;
};

std::vector<Changed> captionPixels(int look, int percentage, ProgressLayout &layout)
{
    const QImage plain = paint(look, percentage, false);
    const QImage withText = paint(look, percentage, true, &layout);
    std::vector<Changed> changed;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 105; ++x)
            if (plain.pixel(x, y) != withText.pixel(x, y))
                changed.push_back({x, y, withText.pixel(x, y) & 0xFFFFFFu});
    return changed;
}

TEST(CaptionColor, IsDarkRedInsideTheCaptionRectangle)
{
    for (const int look : {0, 1, 3, 4, 5, 7, 8, 9}) {
        ProgressLayout layout;
        const auto changed = captionPixels(look, 45, layout);
        ASSERT_FALSE(changed.empty()) << "look " << look;
        if (look == 9) // partly covered: only the uncovered pixels keep the first colour
            continue;
        for (const Changed &c : changed) {
            EXPECT_TRUE(layout.caption.contains(c.x, c.y)) << "look " << look << " at " << c.x << ", " << c.y;
            EXPECT_EQ(c.rgb, qt(0x000040)) << "look " << look << " at " << c.x << ", " << c.y;
        }
    }
}

struct TwoTone
{
    int look, percentage;
    std::uint32_t covered, uncovered;
    bool someCovered, someUncovered;
};

void PrintTo(const TwoTone &c, std::ostream *out)
{
    *out << "look " << c.look << " at " << c.percentage;
}

class TwoToneCaption : public ::testing::TestWithParam<TwoTone>
{
};

TEST_P(TwoToneCaption, SplitsAtTheFillEdge)
{
    const TwoTone c = GetParam();
    ProgressLayout layout;
    const auto changed = captionPixels(c.look, c.percentage, layout);
    ASSERT_FALSE(changed.empty());
    const int edge = static_cast<int>(std::nearbyint(c.percentage / 100.0 * 105));
    int covered = 0;
    for (const Changed &p : changed) {
        EXPECT_EQ(p.rgb, qt(p.x < edge ? c.covered : c.uncovered)) << p.x << ", " << p.y;
        covered += p.x < edge ? 1 : 0;
    }
    EXPECT_EQ(covered > 0, c.someCovered);
    EXPECT_EQ(covered < static_cast<int>(changed.size()), c.someUncovered);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TwoToneCaption,
    ::testing::Values(TwoTone{6, 45, reference::lighten(kBarColor, 80), 0xC0C0C0, true, true},
                      TwoTone{6, 100, reference::lighten(kBarColor, 80), 0xC0C0C0, true, false},
                      TwoTone{6, 0, 0, 0xC0C0C0, false, true}, TwoTone{9, 45, 0xFFFFFF, 0x000040, true, true},
                      TwoTone{9, 100, 0xFFFFFF, 0x000040, true, false},
                      TwoTone{9, 0, 0, 0x000040, false, true}),
    PrintedCaseName());

TEST(CaptionState, LeavesTheHatchGapsPainted)
{
    SystemColors::setSource(SystemColors::Source::Standard);
    XP_ProgressBar bar;
    bar.resize(105, 17);
    bar.setCaptionFont(captionFont());
    bar.setBrushStyle(4);
    bar.setColor(kBarColor);
    bar.setScrolling(7);
    bar.setShowText(true);
    bar.setValue(100); // a second drawing after the caption's first
    QImage outsideCaption(105, 17, QImage::Format_RGB32);
    outsideCaption.fill(Qt::white);
    const gdi::Rect caption = bar.layout().caption;
    for (int y = caption.top; y < caption.bottom; ++y)
        for (int x = caption.left; x < caption.right; ++x)
            if (x >= 0 && y >= 0 && x < 105 && y < 17)
                outsideCaption.setPixel(x, y, qRgb(0, 0, 0));
    EXPECT_TRUE(imagesEqualWhere(bar.surface(), reference::expectedBar(7, 100, kBarColor, 105, 17, 4),
                                 outsideCaption, QStringLiteral("hatch-after-caption")));
    SystemColors::setSource(SystemColors::Source::Palette);
}

} // namespace
