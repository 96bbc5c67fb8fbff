// The keyboard beyond Space and the arrows: Enter on a button, the command shortcuts, and Escape
// in the About window, all as real key events to an active window.
#include "ui_window_fixture.h"

#include "app/ui/about_window.h"
#include "app/ui/text_box.h"
#include "tests/support/case_name.h"

#include <QApplication>
#include <QSignalSpy>
#include <QWindow>

using namespace scrivlet;

namespace {

class Keyboard : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }
};

struct KeyCase
{
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

void PrintTo(const KeyCase &k, std::ostream *os)
{
    *os << k.name;
}

class PressKey : public Keyboard, public ::testing::WithParamInterface<KeyCase>
{
};

TEST_P(PressKey, ClicksTheFocusedButton)
{
    StyledButton *help = m_window->helpButton();
    help->setFocus();
    QSignalSpy clicks(help, &StyledButton::Click);
    QTest::keyClick(help, GetParam().key, GetParam().modifiers);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(m_platform.calls(ScriptedPlatform::Kind::OpenUrl).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Keys, PressKey,
                         ::testing::Values(KeyCase{"Space", Qt::Key_Space, Qt::NoModifier},
                                           KeyCase{"Enter", Qt::Key_Return, Qt::NoModifier},
                                           KeyCase{"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier}),
                         PrintedCaseName());

struct ShortcutCase
{
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    StyledButton *(MainWindow::*button)() const;
    ScriptedPlatform::Kind shows; // what the command asks the platform for
};

void PrintTo(const ShortcutCase &s, std::ostream *os)
{
    *os << s.name;
}

class Shortcut : public Keyboard, public ::testing::WithParamInterface<ShortcutCase>
{
};

TEST_P(Shortcut, ClicksItsButtonUnlessDisabled)
{
    const ShortcutCase &s = GetParam();
    StyledButton *button = (m_window.get()->*s.button)();
    // From the comment box, where the keys could as well have been typing.
    m_window->commentEdit()->setFocus();
    QSignalSpy clicks(button, &StyledButton::Click);
    QTest::keyClick(m_window->commentEdit(), s.key, s.modifiers);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(m_platform.calls(s.shows).size(), 1u);
    EXPECT_TRUE(m_window->commentEdit()->text().isEmpty());

    button->setEnabled(false);
    QTest::keyClick(m_window->commentEdit(), s.key, s.modifiers);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(m_platform.calls(s.shows).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, Shortcut,
    ::testing::Values(ShortcutCase{"Ctrl O is Browse", Qt::Key_O, Qt::ControlModifier,
                                   &MainWindow::browseButton, ScriptedPlatform::Kind::OpenFile},
                      ShortcutCase{"Ctrl S is Save", Qt::Key_S, Qt::ControlModifier, &MainWindow::saveButton,
                                   ScriptedPlatform::Kind::MessageBox},
                      ShortcutCase{"F1 is Help", Qt::Key_F1, Qt::NoModifier, &MainWindow::helpButton,
                                   ScriptedPlatform::Kind::OpenUrl}),
    PrintedCaseName());

TEST_F(Keyboard, AboutStaysAboveTheMainWindowAndEscapeClosesIt)
{
    m_window->aboutClicked();
    QPointer<AboutWindow> about = m_window->aboutWindow();
    ASSERT_NE(about, nullptr);
    // (qWaitForWindowActive counts the main window's activity for its transient.)
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == about; }));
    ASSERT_NE(about->windowHandle(), nullptr);
    EXPECT_EQ(about->windowHandle()->transientParent(), m_window->windowHandle());
    QTest::keyClick(about->okButton(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
    EXPECT_TRUE(m_window->isVisible());
}

} // namespace
