// The main window resized by the window system: what takes the room, what keeps to the edges, and
// the size remembered between runs.
#include "ui_window_fixture.h"

#include "app/model/user_settings.h"
#include "app/ui/file_list_view.h"
#include "app/ui/text_box.h"
#include "app/ui/window_size_memory.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>

using namespace scrivlet;

namespace {

const QSize kClassic(568, 502); // 8520 x 7530 twips

using WindowGrowth = WindowTest;

TEST_F(WindowGrowth, ListTakesTheRoomAndTheControlsBelowKeepToTheEdges)
{
    EXPECT_EQ(m_window->size(), kClassic);
    EXPECT_EQ(m_window->minimumSize(), QSize(379, 335));
    EXPECT_TRUE(m_window->windowFlags() & Qt::WindowMaximizeButtonHint);

    m_window->resize(kClassic + QSize(232, 150));
    QCoreApplication::processEvents();
    ASSERT_EQ(m_window->size(), kClassic + QSize(232, 150));
    // Two thirds of the extra height to the list, the rest to the comment box.
    EXPECT_EQ(m_window->fileList()->geometry(), QRect(8, 8, 553 + 232, 153 + 100));
    EXPECT_EQ(m_window->commentGroup()->geometry(), QRect(8, 168 + 100, 553 + 232, 161 + 50));
    EXPECT_EQ(m_window->commentEdit()->geometry(), QRect(8, 16, 537 + 232, 137 + 50));
    EXPECT_EQ(m_window->pathEdit()->geometry(), QRect(8, 336 + 150, 465 + 232, 25));
    EXPECT_EQ(m_window->browseButton()->geometry(), QRect(488 + 232, 336 + 150, 73, 25));
    EXPECT_EQ(m_window->importButton()->geometry(), QRect(8, 440 + 150, 65, 25));
    EXPECT_EQ(m_window->saveButton()->geometry(), QRect(488 + 232, 440 + 150, 73, 25));
    // The last column fills the list's new width.
    const QHeaderView *header = m_window->fileList()->horizontalHeader();
    EXPECT_EQ(header->length(), m_window->fileList()->viewport()->width());

    // Maximised, the window system gives the window's frame the screen's whole free area.
    m_window->showMaximized();
    const QRect screen = m_window->screen()->availableGeometry();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->frameGeometry() == screen; }));
    const QSize room = m_window->size();
    ASSERT_GT(room.width(), kClassic.width() + 200);
    const QRect save = m_window->saveButton()->geometry();
    EXPECT_EQ(room.width() - save.right(), kClassic.width() - (488 + 72));
    EXPECT_EQ(room.height() - save.bottom(), kClassic.height() - (440 + 24));
    EXPECT_EQ(m_window->statusBar()->geometry().bottom(), room.height() - 1);

    // Back at the classic size, every control is where the design has it.
    m_window->showNormal();
    m_window->resize(kClassic);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_window->fileList()->geometry(), QRect(8, 8, 553, 153));
    EXPECT_EQ(m_window->saveButton()->geometry(), QRect(488, 440, 73, 25));
}

TEST(WindowSizeMemoryTest, TheRunRestoresTheLastSizeTheTestsAndScreenshotsDoNot)
{
    UserSettings::setWindowPlacement(QSize(640, 560), false);
    ScriptedPlatform platform;
    {
        MainWindow plain(platform); // as the tests and --screenshot build it
        EXPECT_EQ(plain.size(), kClassic);
    }
    MainWindow window(platform);
    auto *memory = new WindowSizeMemory(window);
    EXPECT_EQ(window.size(), QSize(640, 560));
    memory->show();
    window.resize(600, 500);
    window.close();
    EXPECT_EQ(UserSettings::windowSize(), QSize(600, 500));
    EXPECT_FALSE(UserSettings::windowMaximized());
}

} // namespace
