// The XP_ProgressBar widget: initial state, property side effects, the buffer, persistence and
// the main window's etched bar as it reaches the screen.
#include "controls/host/property_bag.h"
#include "controls/host/system_colors.h"
#include "controls/progress_bar/progress_buffer.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "controls/raster/canvas.h"
#include "controls/tests/progress_bar_reference.h"
#include "controls/tests/support/image_compare.h"
#include "tests/support/case_name.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>

using namespace scrivlet;

namespace {

class ProgressBarWidget : public ::testing::Test
{
protected:
    void SetUp() override { SystemColors::setSource(SystemColors::Source::Standard); }
    void TearDown() override { SystemColors::setSource(SystemColors::Source::Palette); }
};

TEST_F(ProgressBarWidget, StartsAtZeroWithTheHighlightColor)
{
    XP_ProgressBar bar;
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_EQ(bar.scrolling(), 0);
    EXPECT_EQ(bar.orientation(), 0);
    EXPECT_FALSE(bar.showText());
    EXPECT_EQ(bar.brushStyle(), 0);
    EXPECT_TRUE(bar.image().isNull());
    EXPECT_EQ(bar.color(), SystemColors::translate(0x8000000Du));
    EXPECT_NE(bar.color(), 0x8000000Du);
    EXPECT_EQ(bar.hWnd(), &bar);
    EXPECT_TRUE(bar.bufferInUse());
}

TEST_F(ProgressBarWidget, ValueFollowsTheMapping)
{
    XP_ProgressBar bar;
    bar.setMaximum(10);
    bar.setValue(3);
    EXPECT_EQ(bar.percentage(), 30);
    EXPECT_EQ(bar.value(), 3);
    bar.setValue(25); // 250 per cent, drawn at once and so kept as 100
    EXPECT_EQ(bar.percentage(), 100);
    EXPECT_EQ(bar.value(), 10);

    bar.setMaximum(0);
    bar.setValue(7); // cannot be computed: the bar stays
    EXPECT_EQ(bar.percentage(), 100);
    EXPECT_EQ(bar.value(), 0);

    bar.setMaximum(100);
    bar.setMinimum(5);
    bar.setValue(50);
    EXPECT_EQ(bar.percentage(), 55);
    EXPECT_EQ(bar.value(), 11);
}

struct Announcement
{
    const char *property;
    std::function<void(XP_ProgressBar &)> assign;
    const char *announced; // nullptr: no announcement
};

TEST_F(ProgressBarWidget, AnnouncesTheDesignerProperties)
{
    const Announcement cases[] = {
        {"BrushStyle", [](XP_ProgressBar &b) { b.setBrushStyle(3); }, "BrushStyle"},
        {"Min", [](XP_ProgressBar &b) { b.setMinimum(1); }, "Min"},
        {"Max", [](XP_ProgressBar &b) { b.setMaximum(7); }, "Max"},
        {"Orientation", [](XP_ProgressBar &b) { b.setOrientation(1); }, "Orientation"},
        {"Scrolling", [](XP_ProgressBar &b) { b.setScrolling(5); }, "Scrolling"},
        {"ShowText", [](XP_ProgressBar &b) { b.setShowText(true); }, "ShowText"},
        {"Image", [](XP_ProgressBar &b) { b.setImage(QImage(2, 2, QImage::Format_RGB32)); }, "Image"},
        {"Value", [](XP_ProgressBar &b) { b.setValue(5); }, nullptr},
        {"Color", [](XP_ProgressBar &b) { b.setColor(0x00FF00); }, nullptr},
        {"Font", [](XP_ProgressBar &b) { b.setCaptionFont(QFont(QStringLiteral("Sans"), 12)); }, nullptr},
    };
    for (const Announcement &c : cases) {
        XP_ProgressBar bar;
        QSignalSpy spy(&bar, &UserControl::propertyChanged);
        c.assign(bar);
        if (c.announced) {
            ASSERT_EQ(spy.count(), 1) << c.property;
            EXPECT_EQ(spy.at(0).at(0).toString(), QString::fromLatin1(c.announced));
        } else {
            EXPECT_EQ(spy.count(), 0) << c.property;
        }
    }
}

TEST_F(ProgressBarWidget, BrushStyleWaitsForTheNextDrawing)
{
    XP_ProgressBar bar;
    bar.resize(105, 17);
    bar.setBrushStyle(0);
    bar.setScrolling(7);
    bar.setValue(100);
    const QImage horizontal = bar.surface().copy();
    bar.setBrushStyle(1);
    EXPECT_EQ(bar.surface(), horizontal);
    bar.DrawProgressBar();
    EXPECT_NE(bar.surface(), horizontal);
    EXPECT_TRUE(
        imagesEqual(bar.surface(), reference::expectedBar(7, 100, bar.color(), 105, 17, 1), "brush-1"));
}

TEST_F(ProgressBarWidget, DrawsTheClientAreaOfItsWindowHandle)
{
    XP_ProgressBar bar;
    bar.resize(105, 17);
    bar.setScrolling(3);
    bar.setValue(50);
    {
        QWidget other;
        other.resize(60, 10);
        bar.setHWnd(&other);
        bar.DrawProgressBar();
        EXPECT_EQ(bar.layout().client, (gdi::Rect{0, 0, 60, 10}));
        EXPECT_EQ(bar.layout().fill.right, 30);
    }
    bar.DrawProgressBar(); // that window is gone: the bar's own area again
    EXPECT_EQ(bar.layout().client, (gdi::Rect{0, 0, 105, 17}));
}

TEST_F(ProgressBarWidget, ColorIsStoredResolved)
{
    XP_ProgressBar bar;
    bar.setColor(0x80000005u);
    EXPECT_EQ(bar.color(), SystemColors::translate(0x80000005u));
    bar.setColor(0x00C0FFC0u);
    EXPECT_EQ(bar.color(), 0x00C0FFC0u);
}

// The main window's bar: 105 x 17, etched look, pale green; copied to the window's surface.
class MainWindowBar : public ProgressBarWidget, public ::testing::WithParamInterface<int>
{
};

TEST_P(MainWindowBar, ShowsTheEtchedLook)
{
    PropertyBag bag;
    bag.writeInt32(QStringLiteral("scrolling"), 4);
    bag.writeColor(QStringLiteral("color"), 0xC0FFC0);
    bag.writeInt32(QStringLiteral("brushstyle"), 0);
    XP_ProgressBar bar;
    bar.resize(105, 17);
    bar.readProperties(bag);
    bar.setMaximum(100);
    bar.setValue(GetParam());
    EXPECT_TRUE(imagesEqual(bar.surface(), reference::expectedBar(4, GetParam(), 0xC0FFC0, 105, 17),
                            QStringLiteral("mainwindow-%1").arg(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(Percentages, MainWindowBar, ::testing::Values(0, 45, 98, 100),
                         [](const ::testing::TestParamInfo<int> &param) {
                             return std::to_string(param.param) + "_percent";
                         });

TEST_F(ProgressBarWidget, BufferGrowsAndNeverShrinks)
{
    XP_ProgressBar bar;
    const QSize first = bar.bufferSize();
    bar.resize(first.width() + 60, first.height() + 5);
    bar.DrawProgressBar();
    EXPECT_EQ(bar.bufferSize(), QSize(first.width() + 60, first.height() + 5));
    bar.resize(50, 10);
    bar.setScrolling(3);
    bar.setValue(60);
    EXPECT_EQ(bar.bufferSize(), QSize(first.width() + 60, first.height() + 5));
    // Drawn in the corner of the larger buffer, the window still gets exactly its own size.
    EXPECT_EQ(bar.surface().size(), QSize(50, 10));
    EXPECT_TRUE(
        imagesEqual(bar.surface(), reference::expectedBar(3, 60, bar.color(), 50, 10), "small-in-large"));
    // Wider than the buffer (though lower): re-made at exactly the new size.
    bar.resize(first.width() + 80, 10);
    bar.DrawProgressBar();
    EXPECT_EQ(bar.bufferSize(), QSize(first.width() + 80, 10));
    EXPECT_TRUE(imagesEqual(bar.surface(), reference::expectedBar(3, 60, bar.color(), first.width() + 80, 10),
                            "regrown"));
}

TEST(ProgressBuffer, IsMadeOnlyForAPositiveSizeAndDropsWhenAllocationFails)
{
    ProgressBuffer buffer;
    EXPECT_EQ(buffer.EnsureBuffer(0, 10), nullptr);
    EXPECT_EQ(buffer.EnsureBuffer(10, -1), nullptr);
    ASSERT_NE(buffer.EnsureBuffer(10, 5), nullptr);
    EXPECT_EQ(buffer.size(), QSize(10, 5));
    EXPECT_EQ(buffer.image().pixel(3, 3), qRgb(0, 0, 0)); // a fresh bitmap is black
    gdi::Canvas *dc = buffer.EnsureBuffer(4, 4);
    EXPECT_EQ(dc, buffer.dc()); // kept
    EXPECT_EQ(buffer.size(), QSize(10, 5));
    // Wider than any picture can be: no buffer at all afterwards.
    EXPECT_EQ(buffer.EnsureBuffer(70000000, 1), nullptr);
    EXPECT_EQ(buffer.size(), QSize(0, 0));
}

TEST_F(ProgressBarWidget, PDrawCopiesTheBufferOrThePartAsked)
{
    XP_ProgressBar bar;
    bar.resize(105, 17);
    bar.setScrolling(3);
    bar.setValue(50);
    QImage target(30, 30, QImage::Format_RGB32);
    target.fill(Qt::black);
    gdi::Canvas dc(target);
    bar.pDraw(dc, 1, 2, 5, 4, 10, 11);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool inside = x >= 10 && x < 15 && y >= 11 && y < 15;
            const QRgb want = inside ? bar.surface().pixel(x - 9, y - 9) : qRgb(0, 0, 0);
            ASSERT_EQ(target.pixel(x, y), want) << x << ", " << y;
        }
    target.fill(Qt::black);
    bar.pDraw(dc); // whole buffer
    EXPECT_EQ(target.copy(0, 0, 30, 17), bar.surface().copy(0, 0, 30, 17));
}

TEST_F(ProgressBarWidget, WritesOnlyWhatDiffersFromTheDefaultsInOrder)
{
    XP_ProgressBar bar;
    bar.setScrolling(4);
    bar.setColor(0xC0FFC0);
    bar.setBrushStyle(0);
    PropertyBag bag;
    bar.writeProperties(bag);
    EXPECT_EQ(bag.keys(), (QStringList{"Font", "BrushStyle", "Color", "Scrolling"}));
    EXPECT_EQ(bag.readColor(QStringLiteral("color"), 0), 0xC0FFC0u);
    EXPECT_EQ(bag.readInt32(QStringLiteral("brushstyle"), 4), 0);

    XP_ProgressBar full;
    full.setBrushStyle(4);
    full.setColor(0x123456);
    full.setImage(QImage(3, 3, QImage::Format_RGB32));
    full.setMaximum(40);
    full.setMinimum(-2);
    full.setOrientation(1);
    full.setScrolling(9);
    full.setShowText(true);
    full.setValue(10); // 10 x 100 / 40 - 2 = 23 per cent
    PropertyBag all;
    full.writeProperties(all);
    EXPECT_EQ(all.keys(), (QStringList{"Font", "Color", "Image", "Max", "Min", "Orientation", "Scrolling",
                                       "ShowText", "Value"}));
    EXPECT_EQ(all.readInt32(QStringLiteral("Value"), 0), 23); // the percentage, not the value
}

TEST_F(ProgressBarWidget, RoundTripsThroughJson)
{
    XP_ProgressBar bar;
    QFont font(QStringLiteral("Sans"), 11);
    font.setBold(true);
    bar.setCaptionFont(font);
    bar.setBrushStyle(2);
    bar.setColor(0x00FF00);
    bar.setMinimum(0);
    bar.setOrientation(1);
    bar.setScrolling(7);
    bar.setShowText(true);
    bar.setValue(42);
    PropertyBag bag;
    bar.writeProperties(bag);
    const auto loaded = PropertyBag::fromJsonText(bag.toJsonText());
    ASSERT_TRUE(loaded.has_value());

    XP_ProgressBar copy;
    copy.readProperties(*loaded);
    EXPECT_EQ(copy.brushStyle(), 2);
    EXPECT_EQ(copy.color(), 0x00FF00u);
    EXPECT_EQ(copy.orientation(), 1);
    EXPECT_EQ(copy.scrolling(), 7);
    EXPECT_TRUE(copy.showText());
    EXPECT_EQ(copy.percentage(), 42);
    EXPECT_EQ(copy.captionFont().family(), font.family());
    EXPECT_TRUE(copy.captionFont().bold());
}

TEST_F(ProgressBarWidget, LoadingConvertsTheStoredPercentageOnceMore)
{
    XP_ProgressBar bar;
    bar.setMaximum(200);
    bar.setValue(60); // 30 per cent
    PropertyBag bag;
    bar.writeProperties(bag);
    XP_ProgressBar copy;
    copy.readProperties(bag);
    EXPECT_EQ(copy.percentage(), 15); // 30 taken as a value of 200
}

TEST_F(ProgressBarWidget, MissingKeysLoadTheirDefaults)
{
    XP_ProgressBar bar;
    bar.readProperties(PropertyBag());
    EXPECT_EQ(bar.brushStyle(), 4);
    EXPECT_EQ(bar.color(), SystemColors::translate(0x8000000Du));
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_EQ(bar.scrolling(), 0);
    EXPECT_EQ(bar.captionFont().family(), UserControl::defaultFont().family());
}

} // namespace
