#pragma once
// The real main window on a scripted platform, shown offscreen, with a temporary folder for files.

#include "app/model/file_list_model.h"
#include "app/ui/main_window.h"
#include "controls/styled_button/styled_button.h"
#include "tests/support/scripted_platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace scrivlet {

// Readable failure messages for texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_window = std::make_unique<MainWindow>(m_platform);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // Creates a file (and its folders) below the temporary folder; returns its path.
    QString makeFile(const QString &relative, const QByteArray &bytes = QByteArrayLiteral("x"))
    {
        const QString path = m_dir.filePath(relative);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }
    QString makeFolder(const QString &relative)
    {
        const QString path = m_dir.filePath(relative);
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }

    // A click of the left mouse button in the middle of an own button, as a user makes it: the
    // pointer comes over the button first (a button clicks only with the pointer inside).
    static void click(StyledButton *button)
    {
        const QPoint middle = button->rect().center();
        // From a spot outside the button, so that it sees the pointer come in even when the
        // last click left the pointer at the same place.
        QTest::mouseMove(button->window(), QPoint(1, 1));
        QTest::mouseMove(button, middle);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, middle);
    }

    FileListModel &model() const { return *m_window->fileModel(); }
    QStringList rowPaths() const
    {
        QStringList paths;
        for (int position = 1; position <= model().count(); ++position)
            paths << model().pathAt(position);
        return paths;
    }
    QString status() const { return m_window->statusBar()->currentMessage(); }

    QTemporaryDir m_dir;
    ScriptedPlatform m_platform;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace scrivlet
