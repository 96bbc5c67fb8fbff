// The button's reaction to the pointer, the keyboard and the focus, watched through its events.
#include "controls/styled_button/button_tooltip.h"
#include "controls/styled_button/styled_button.h"
#include "tests/support/case_name.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

const QPoint kInside(10, 10);
const QPoint kOutside(300, 300);

// Three buttons side by side in a window, the middle one under test.
struct Row
{
    QWidget window;
    StyledButton *left = nullptr;
    StyledButton *button = nullptr;
    StyledButton *right = nullptr;

    Row()
    {
        auto *layout = new QHBoxLayout(&window);
        for (StyledButton **b : {&left, &button, &right}) {
            *b = new StyledButton(&window);
            PropertyBag bag;
            bag.writeInt32(QStringLiteral("Style"), 5);
            (*b)->readProperties(bag);
            (*b)->setFixedSize(73, 25);
            layout->addWidget(*b);
        }
        // Away from where other tests leave the pointer, so no button opens under it.
        window.move(300, 300);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::mouseMove(&window, away());
        EXPECT_FALSE(button->mouseInside());
    }
    // The pointer leaves the way it came, so the next window does not open under it.
    ~Row() { QTest::mouseMove(&window, away()); }
    QPoint away() const { return {window.width() - 2, window.height() - 2}; }
};

void enter(StyledButton *b)
{
    QTest::mouseMove(b, kInside);
}
// The leave notification; Qt's own leave tracking carries state from one test window to the next,
// so it is delivered directly.
void leave(StyledButton *b)
{
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(b, &e);
}
void click(StyledButton *b)
{
    QTest::mousePress(b, Qt::LeftButton, {}, kInside);
    QTest::mouseRelease(b, Qt::LeftButton, {}, kInside);
}
void doubleClick(StyledButton *b)
{
    click(b);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(kInside), b->mapToGlobal(QPointF(kInside)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &dbl);
    QTest::mouseRelease(b, Qt::LeftButton, {}, kInside);
}
void key(StyledButton *b, Qt::Key k, bool autoRepeatRelease = false)
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(b, &press);
    if (autoRepeatRelease) {
        QKeyEvent repeat(QEvent::KeyRelease, k, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(b, &repeat);
        QKeyEvent again(QEvent::KeyPress, k, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(b, &again);
    }
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(b, &release);
}

struct Scenario
{
    const char *name;
    std::function<void(Row &)> act;
    int clicks;
    int enters;
    int leaves;
    ButtonState state;
};

void PrintTo(const Scenario &s, std::ostream *out)
{
    *out << s.name;
}

class ButtonInput : public ::testing::TestWithParam<Scenario>
{
};

TEST_P(ButtonInput, RaisesTheRightEvents)
{
    const Scenario &s = GetParam();
    Row row;
    QSignalSpy clicks(row.button, &UserControl::Click);
    QSignalSpy enters(row.button, &UserControl::MouseEnter);
    QSignalSpy leaves(row.button, &UserControl::MouseLeave);
    s.act(row);
    EXPECT_EQ(clicks.count(), s.clicks);
    EXPECT_EQ(enters.count(), s.enters);
    EXPECT_EQ(leaves.count(), s.leaves);
    EXPECT_EQ(row.button->state(), s.state);
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, ButtonInput,
    ::testing::Values(
        Scenario{"hover", [](Row &r) { enter(r.button); }, 0, 1, 0, ButtonState::Hot},
        Scenario{"moves_inside_enter_once",
                 [](Row &r) {
                     enter(r.button);
                     QTest::mouseMove(r.button, QPoint(20, 12));
                 },
                 0, 1, 0, ButtonState::Hot},
        Scenario{"hover_and_leave",
                 [](Row &r) {
                     enter(r.button);
                     leave(r.button);
                 },
                 0, 1, 1, ButtonState::Normal},
        Scenario{"press_only",
                 [](Row &r) {
                     enter(r.button);
                     QTest::mousePress(r.button, Qt::LeftButton, {}, kInside);
                 },
                 0, 1, 0, ButtonState::Pressed},
        Scenario{"click",
                 [](Row &r) {
                     enter(r.button);
                     click(r.button);
                 },
                 1, 1, 0, ButtonState::Hot},
        Scenario{"click_without_a_move_first", [](Row &r) { click(r.button); }, 1, 1, 0, ButtonState::Hot},
        Scenario{"release_outside",
                 [](Row &r) {
                     enter(r.button);
                     QTest::mousePress(r.button, Qt::LeftButton, {}, kInside);
                     QTest::mouseRelease(r.button, Qt::LeftButton, {}, kOutside);
                 },
                 0, 1, 1, ButtonState::Normal},
        Scenario{"release_after_leave",
                 [](Row &r) {
                     enter(r.button);
                     QTest::mousePress(r.button, Qt::LeftButton, {}, kInside);
                     leave(r.button);
                     QTest::mouseRelease(r.button, Qt::LeftButton, {}, kInside);
                 },
                 0, 1, 1, ButtonState::Hot},
        Scenario{"right_button",
                 [](Row &r) {
                     enter(r.button);
                     QTest::mousePress(r.button, Qt::RightButton, {}, kInside);
                     QTest::mouseRelease(r.button, Qt::RightButton, {}, kInside);
                 },
                 0, 1, 0, ButtonState::Hot},
        Scenario{"double_click",
                 [](Row &r) {
                     enter(r.button);
                     doubleClick(r.button);
                 },
                 2, 1, 0, ButtonState::Hot},
        Scenario{"space", [](Row &r) { key(r.button, Qt::Key_Space); }, 1, 0, 0, ButtonState::Normal},
        Scenario{"held_space_clicks_once", [](Row &r) { key(r.button, Qt::Key_Space, true); }, 1, 0, 0,
                 ButtonState::Normal},
        Scenario{"other_key", [](Row &r) { key(r.button, Qt::Key_A); }, 0, 0, 0, ButtonState::Normal},
        Scenario{"disabled_ignores_everything",
                 [](Row &r) {
                     r.button->setEnabled(false);
                     enter(r.button);
                     click(r.button);
                     key(r.button, Qt::Key_Space);
                 },
                 0, 0, 0, ButtonState::Disabled},
        Scenario{"design_mode_does_not_track",
                 [](Row &r) {
                     r.button->setUserMode(false);
                     enter(r.button);
                 },
                 0, 0, 0, ButtonState::Normal}),
    PrintedCaseName());

// Arrows move the focus like Tab and Shift+Tab; Tab itself also reports the pointer as gone.
struct FocusCase
{
    const char *name;
    Qt::Key key;
    int target; // -1 left, 0 stays, 1 right
    int leaves;
};

void PrintTo(const FocusCase &c, std::ostream *out)
{
    *out << c.name;
}

class ButtonFocus : public ::testing::TestWithParam<FocusCase>
{
};

TEST_P(ButtonFocus, KeysMoveTheFocus)
{
    const FocusCase &c = GetParam();
    Row row;
    row.button->setFocus();
    ASSERT_TRUE(row.button->holdsFocus());
    QSignalSpy leaves(row.button, &UserControl::MouseLeave);
    QTest::keyClick(row.button, c.key);
    QWidget *expected = c.target < 0 ? row.left : c.target > 0 ? row.right : row.button;
    EXPECT_EQ(QApplication::focusWidget(), expected);
    EXPECT_EQ(leaves.count(), c.leaves);
    EXPECT_EQ(row.button->holdsFocus(), c.target == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ButtonFocus,
    ::testing::Values(FocusCase{"right", Qt::Key_Right, 1, 0}, FocusCase{"down", Qt::Key_Down, 1, 0},
                      FocusCase{"left", Qt::Key_Left, -1, 0}, FocusCase{"up", Qt::Key_Up, -1, 0},
                      FocusCase{"tab", Qt::Key_Tab, 1, 1}, FocusCase{"backtab", Qt::Key_Backtab, -1, 1},
                      FocusCase{"letter", Qt::Key_X, 0, 0}),
    PrintedCaseName());

TEST(ButtonToggle, UpToggleGoesDownSilentlyAndComesUpWithAClick)
{
    Row row;
    row.button->setButtonType(1);
    QSignalSpy clicks(row.button, &UserControl::Click);
    enter(row.button);
    click(row.button);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_TRUE(row.button->value());
    EXPECT_EQ(row.button->state(), ButtonState::Pressed);
    leave(row.button);
    EXPECT_EQ(row.button->state(), ButtonState::Pressed) << "a toggle that is down stays drawn pressed";
    QTest::mouseMove(row.button, kInside + QPoint(3, 2)); // back over the button
    click(row.button);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(row.button->value());
    EXPECT_EQ(row.button->state(), ButtonState::Hot);
}

TEST(ButtonAccessKey, TogglesWithoutAClick)
{
    Row row;
    row.button->setCaption(QStringLiteral("&Save"));
    row.button->setButtonType(1);
    QSignalSpy clicks(row.button, &UserControl::Click);
    QTest::keyClick(&row.window, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(row.button->value());
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(row.button->state(), ButtonState::Normal);
}

TEST(ButtonEnabled, SettingEnabledReturnsToNormal)
{
    Row row;
    enter(row.button);
    QTest::mousePress(row.button, Qt::LeftButton, {}, kInside);
    row.button->setEnabled(false);
    EXPECT_EQ(row.button->state(), ButtonState::Disabled);
    row.button->setEnabled(true);
    EXPECT_EQ(row.button->state(), ButtonState::Normal);
    QTest::mouseRelease(row.button, Qt::LeftButton, {}, kInside);
}

// While the pointer rests on the button its own tip stands in for the host's.
TEST(ButtonToolTip, OwnTipReplacesTheHostsWhileInside)
{
    Row row;
    row.button->setToolTipText(QStringLiteral("Saves the comment"));
    row.button->setToolTipTitle(QStringLiteral("Save"));
    row.button->setToolTipIcon(1);
    row.button->setToolTipType(2);
    EXPECT_EQ(row.button->toolTip(), QStringLiteral("Saves the comment"));
    enter(row.button);
    ButtonTooltip *tip = row.button->toolTipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->content().text, QStringLiteral("Saves the comment"));
    EXPECT_EQ(tip->content().title, QStringLiteral("Save"));
    EXPECT_EQ(tip->content().icon, 1);
    EXPECT_FALSE(tip->content().balloon);
    EXPECT_TRUE(row.button->toolTip().isEmpty()) << "the host's tip must stay quiet";
    row.button->setToolTipText(QStringLiteral("Changed"));
    ASSERT_NE(row.button->toolTipWindow(), nullptr);
    EXPECT_EQ(row.button->toolTipWindow()->content().text, QStringLiteral("Changed"));
    leave(row.button);
    EXPECT_EQ(row.button->toolTipWindow(), nullptr);
    EXPECT_EQ(row.button->toolTip(), QStringLiteral("Changed"));
}

// Stored defaults name the tip background as the text colour; the text must stay readable.
TEST(ButtonToolTip, DefaultColorsKeepTheTextReadable)
{
    Row row;
    row.button->setToolTipText(QStringLiteral("Hint"));
    enter(row.button);
    ButtonTooltip *tip = row.button->toolTipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_NE(tip->textColor(), tip->backColor());
}

TEST(ButtonSize, NeverSmallerThanTwentyPixels)
{
    StyledButton button;
    button.readProperties(PropertyBag());
    button.setMinimumSize(0, 0);
    button.show();
    button.resize(10, 5);
    EXPECT_EQ(button.size(), QSize(20, 20));
    button.resize(90, 12);
    EXPECT_EQ(button.size(), QSize(90, 20));
}

} // namespace
