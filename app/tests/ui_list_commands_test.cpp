#include "ui_window_fixture.h"

#include "tests/support/case_name.h"

#include "app/ui/about_window.h"
#include "app/ui/text_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QUrl>

using namespace scrivlet;

namespace {

using Kind = ScriptedPlatform::Kind;

class ListCommandsTest : public WindowTest
{
protected:
    // Three rows through Browse in single mode, all ticked.
    void addThree()
    {
        for (const char *name : {"a", "b", "c"}) {
            m_platform.queueOpenFile(makeFile(QString::fromLatin1(name)));
            m_window->browseClicked();
        }
        ASSERT_EQ(model().count(), 3);
        m_platform.clearCalls();
    }
};

TEST_F(ListCommandsTest, ClearOnAnEmptyListOnlyComplains)
{
    m_window->clearButton()->setEnabled(true);
    click(m_window->clearButton());
    const auto messages = m_platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral(" Please open at least one file and try again."));
    EXPECT_EQ(messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(messages[0].icon, Platform::Icon::Exclamation);
    EXPECT_TRUE(status().isEmpty());
}

TEST_F(ListCommandsTest, ClearAnsweredNoChangesNothing)
{
    addThree();
    const QString edit = m_window->pathEdit()->text();
    m_platform.queueAnswer(Platform::Answer::No);
    click(m_window->clearButton());
    const auto messages = m_platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Do you want to clear?"));
    EXPECT_EQ(messages[0].title, QStringLiteral("Clear ListView"));
    EXPECT_EQ(messages[0].icon, Platform::Icon::None);
    EXPECT_EQ(messages[0].buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(model().count(), 3);
    EXPECT_EQ(m_window->pathEdit()->text(), edit);
    EXPECT_EQ(status(), QStringLiteral("Total Files: 3"));
}

TEST_F(ListCommandsTest, ClearAnsweredYesEmptiesListEditAndStatusButKeepsButtonsAndComment)
{
    addThree();
    m_window->commentEdit()->setPlainText(QStringLiteral("kept"));
    m_platform.queueAnswer(Platform::Answer::Yes);
    click(m_window->clearButton());
    EXPECT_EQ(model().count(), 0);
    EXPECT_TRUE(m_window->pathEdit()->text().isEmpty());
    EXPECT_EQ(status(), QStringLiteral("Total Files: 0"));
    EXPECT_TRUE(m_window->deleteButton()->isEnabled());
    EXPECT_TRUE(m_window->clearButton()->isEnabled());
    EXPECT_EQ(m_window->commentEdit()->toPlainText(), QStringLiteral("kept"));
    // A file added afterwards pairs with its own path.
    const QString d = makeFile(QStringLiteral("d"));
    m_platform.queueOpenFile(d);
    m_window->browseClicked();
    EXPECT_EQ(rowPaths(), QStringList{d});
}

TEST_F(ListCommandsTest, SelectAllUnticksAndTicksEveryRowWhenClicked)
{
    addThree();
    QTest::mouseClick(m_window->selectAllCheck(), Qt::LeftButton);
    EXPECT_FALSE(m_window->selectAllCheck()->isChecked());
    EXPECT_TRUE(model().checkedPositions().isEmpty());
    model().setCheckedAt(2, true);
    QTest::mouseClick(m_window->selectAllCheck(), Qt::LeftButton);
    EXPECT_EQ(model().checkedPositions(), (QList<int>{1, 2, 3}));
}

TEST_F(ListCommandsTest, SelectAllActsOnlyWhenClicked)
{
    addThree();
    m_window->selectAllCheck()->setChecked(false); // set from code: no click
    EXPECT_EQ(model().checkedPositions().size(), 3);
}

TEST_F(ListCommandsTest, SelectAllOnAnEmptyListShowsNothing)
{
    QTest::mouseClick(m_window->selectAllCheck(), Qt::LeftButton);
    QTest::mouseClick(m_window->selectAllCheck(), Qt::LeftButton);
    EXPECT_TRUE(m_platform.calls().empty());
    EXPECT_EQ(model().count(), 0);
}

int aboutWindows()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<AboutWindow *>(widget) != nullptr && widget->isVisible())
            ++count;
    }
    return count;
}

TEST_F(ListCommandsTest, AboutOpensOneWindowThatOkCloses)
{
    click(m_window->aboutButton());
    click(m_window->aboutButton());
    EXPECT_EQ(aboutWindows(), 1);
    AboutWindow *about = m_window->aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About"));
    EXPECT_FALSE(about->isModal());
    click(about->okButton());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(aboutWindows(), 0);
    EXPECT_EQ(m_window->aboutWindow(), nullptr);
    click(m_window->aboutButton());
    EXPECT_EQ(aboutWindows(), 1);
    EXPECT_NE(m_window->aboutWindow(), nullptr);
}

// The About window opens over the pointer resting on the About button, which gets no leave event
// for it: the button still lets its hover frame go.
TEST_F(ListCommandsTest, AButtonLetsItsHoverGoWhenAnotherWindowTakesOver)
{
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    StyledButton *button = m_window->aboutButton();
    click(button);
    ASSERT_NE(m_window->aboutWindow(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window->aboutWindow()));
    // The button lets go once the click that opened the window has ended.
    EXPECT_TRUE(QTest::qWaitFor([button] { return !button->mouseInside(); }, 1000));
    EXPECT_EQ(button->state(), ButtonState::Normal);
    m_window->close();
}

TEST_F(ListCommandsTest, ClosingTheMainWindowClosesTheAboutWindow)
{
    m_window->aboutClicked();
    ASSERT_EQ(aboutWindows(), 1);
    m_window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(aboutWindows(), 0);
}

// The About window's link: the project's web address when the build has one, else "Help".
constexpr bool kHasWebAddress = sizeof(SCRIVLET_WEB_ADDRESS) > 1;
constexpr const char *kLinkText = kHasWebAddress ? SCRIVLET_WEB_ADDRESS : "Help";

// Help opens the help page beside the program (the build tree's copy here) with the desktop's
// handler, as the About link does without a web address; the e-mail address opens nothing. When
// nothing can open the page, a message names its path.
TEST_F(ListCommandsTest, HelpOpensTheHelpPageOrNamesItsPath)
{
    click(m_window->helpButton());
    m_window->aboutClicked();
    AboutWindow *about = m_window->aboutWindow();
    ASSERT_NE(about, nullptr);
    QTest::mouseClick(about->contactLabel(), Qt::LeftButton);
    QTest::mouseClick(about->siteLink(), Qt::LeftButton);
    const auto opened = m_platform.calls(Kind::OpenUrl);
    ASSERT_EQ(opened.size(), 2u);
    const QString page = QStringLiteral(SCRIVLET_BUILD_DIR "/share/scrivlet/help.html");
    EXPECT_EQ(opened[0].text, QUrl::fromLocalFile(page).toString());
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("<title>Scrivlet Help</title>"));
    EXPECT_EQ(opened[1].text, kHasWebAddress ? QString::fromUtf8(kLinkText) : opened[0].text);
    EXPECT_TRUE(m_platform.messages().empty());

    m_platform.setUrlsOpen(false);
    click(m_window->helpButton());
    const auto messages = m_platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(page)) << messages[0].text.toStdString();
    m_window->close();
}

struct AboutPlacement
{
    const char *name;
    const char *text;
    QRect pixels; // the About window's twips divided by 15
};

void PrintTo(const AboutPlacement &p, std::ostream *os)
{
    *os << p.name;
}

class AboutLayout : public ::testing::TestWithParam<AboutPlacement>
{
protected:
    ScriptedPlatform m_platform;
};

TEST_P(AboutLayout, LabelSitsAtItsDesignPositionWithItsText)
{
    AboutWindow about(m_platform);
    EXPECT_EQ(about.size(), QSize(206, 137));
    QWidget *control = about.findChild<QWidget *>(QString::fromLatin1(GetParam().name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), GetParam().pixels);
    if (auto *label = qobject_cast<QLabel *>(control))
        EXPECT_EQ(label->text(), QString::fromUtf8(GetParam().text));
    else
        EXPECT_EQ(qobject_cast<StyledButton *>(control)->caption(), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Table, AboutLayout,
                         ::testing::Values(AboutPlacement{"Label3", "Scrivlet  v1.0", QRect(8, 8, 137, 17)},
                                           AboutPlacement{"lblCopyright", "(C) 2026 The Scrivlet developers",
                                                          QRect(8, 24, 161, 17)},
                                           AboutPlacement{"Label1", kLinkText, QRect(8, 48, 153, 17)},
                                           AboutPlacement{"Label4", "support@scrivlet.example.org",
                                                          QRect(8, 72, 177, 25)},
                                           AboutPlacement{"StyledButton1", "OK", QRect(128, 104, 73, 25)}),
                         PrintedCaseName());

} // namespace
