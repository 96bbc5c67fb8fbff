#include "ui_flows_fixture.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

namespace {

class DropTest : public FlowsTest
{
protected:
    // Drops the paths onto the file list as the file manager does; returns whether it was taken.
    bool drop(const QStringList &paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data.setUrls(urls);
        QWidget *viewport = m_window->fileList()->viewport();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &dropEvent);
        return dropEvent.isAccepted();
    }

    // File names from the top row down.
    QStringList rowNames() const
    {
        QStringList names;
        for (int position = 1; position <= m_window->fileModel()->count(); ++position)
            names.append(QFileInfo(m_window->fileModel()->pathAt(position)).fileName());
        return names;
    }

    bool allTicked() const
    {
        for (int position = 1; position <= m_window->fileModel()->count(); ++position)
            if (!m_window->fileModel()->isCheckedAt(position))
                return false;
        return true;
    }

    QString statusText() const { return m_window->statusBar()->currentMessage(); }
};

TEST_F(DropTest, FilesGoOnTopOfTheRowsAlreadyListedAllTicked)
{
    const QString old = makeFile("old.txt", "o");
    addRows({old});
    m_window->uncheckAllItems();
    EXPECT_TRUE(drop({makeFile("one.txt", "1"), makeFile("two.txt", "2")}));
    EXPECT_EQ(rowNames(), QStringList({"two.txt", "one.txt", "old.txt"}));
    EXPECT_TRUE(allTicked());
    EXPECT_TRUE(m_window->deleteButton()->isEnabled());
    EXPECT_TRUE(m_window->clearButton()->isEnabled());
    EXPECT_EQ(statusText(), "Total Files: 3");
    EXPECT_TRUE(messages().empty());
}

TEST_F(DropTest, FolderWithAndWithoutSubFolders)
{
    makeFile("tree/x.txt", "x");
    makeFile("tree/A/y.txt", "y");
    makeFile("tree/B/z.txt", "z");
    const QString tree = m_dir.filePath("tree");

    EXPECT_TRUE(drop({tree}));
    EXPECT_EQ(rowNames(), QStringList({"x.txt"}));

    m_window->subfoldersCheck()->setChecked(true);
    EXPECT_TRUE(drop({tree}));
    EXPECT_EQ(rowNames(), QStringList({"z.txt", "y.txt", "x.txt", "x.txt"}));
    EXPECT_EQ(statusText(), "Total Files: 4");
}

TEST_F(DropTest, DbFilesAreLeftOutQuietlyButTheStatusIsRefreshed)
{
    EXPECT_TRUE(drop({makeFile("notes.db", "d")}));
    EXPECT_EQ(m_window->fileModel()->count(), 0);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(statusText(), "Total Files: 0");
    EXPECT_FALSE(m_window->deleteButton()->isEnabled());

    EXPECT_TRUE(drop({makeFile("folder/notes.db", "d"), makeFile("folder/KEEP.DB", "k")}));
    EXPECT_EQ(rowNames(), QStringList({"KEEP.DB"}));
}

TEST_F(DropTest, VanishedItemsAreSkippedAndTheRestKept)
{
    const QString gone = makeFile("gone.txt", "g");
    const QString kept = makeFile("kept.txt", "k");
    ASSERT_TRUE(QFile::remove(gone));
    EXPECT_TRUE(drop({gone, kept, m_dir.filePath("no-such-folder")}));
    EXPECT_EQ(rowNames(), QStringList({"kept.txt"}));
}

TEST_F(DropTest, ManyItemsInOneDrop)
{
    QStringList paths;
    for (int i = 0; i < 40'000; ++i)
        paths.append(m_dir.filePath(QStringLiteral("f%1").arg(i)));
    for (int i = 0; i < 5; ++i)
        makeFile(QStringLiteral("f%1").arg(39'995 + i), "x");
    EXPECT_TRUE(drop(paths)); // far beyond a 16-bit count; only the five existing are listed
    EXPECT_EQ(rowNames(), QStringList({"f39999", "f39998", "f39997", "f39996", "f39995"}));
}

TEST_F(DropTest, DraggedTextIsNotTaken)
{
    QMimeData data;
    data.setText("just text");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QCoreApplication::sendEvent(m_window->fileList()->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(m_window->fileModel()->count(), 0);
}

} // namespace
