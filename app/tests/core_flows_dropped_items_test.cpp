#include "app/core/dropped_items.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// A tree to drop:   top/x.txt, top/notes.db, top/UP.DB, top/.hidden,
//                   top/A/y.txt, top/A/deep/w.txt, top/B/z.txt, and a loose file loose.txt.
class DroppedItemsTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        for (const char *name : {"top/x.txt", "top/notes.db", "top/UP.DB", "top/.hidden", "top/A/y.txt",
                                 "top/A/deep/w.txt", "top/B/z.txt", "loose.txt", "loose.db"})
            make(QString::fromLatin1(name));
    }

    void make(const QString &relative)
    {
        const QString path = m_dir.filePath(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

    QString at(const QString &relative) const { return m_dir.filePath(relative); }

    // File names of the added paths, in order, each checked to name an existing file.
    static QStringList names(const QStringList &paths)
    {
        QStringList result;
        for (const QString &path : paths) {
            EXPECT_TRUE(QFileInfo(path).isFile()) << path.toStdString();
            result.append(QFileInfo(path).fileName());
        }
        return result;
    }

    QTemporaryDir m_dir;
};

TEST_F(DroppedItemsTree, FilesAreAddedAsTheyAreExceptDb)
{
    const QStringList added =
        DroppedItems::filesToAdd({at("loose.txt"), at("loose.db"), at("top/UP.DB")}, false);
    EXPECT_EQ(added, QStringList({at("loose.txt"), at("top/UP.DB")}));
}

TEST_F(DroppedItemsTree, FolderWithoutSubFoldersAddsItsOwnFilesHiddenIncluded)
{
    const QStringList added = DroppedItems::filesToAdd({at("top")}, false);
    QStringList sorted = names(added);
    sorted.sort();
    EXPECT_EQ(sorted, QStringList({".hidden", "UP.DB", "x.txt"}));
}

TEST_F(DroppedItemsTree, FolderWithSubFoldersAddsOwnFilesThenEachSubFolderDepthFirst)
{
    const QStringList added = DroppedItems::filesToAdd({at("top/")}, true);
    const QStringList got = names(added);
    // Hidden files are not part of a scan with sub-folders; its own files come first.
    ASSERT_EQ(got.size(), 5);
    QStringList own = got.mid(0, 2);
    own.sort();
    EXPECT_EQ(own, QStringList({"UP.DB", "x.txt"}));
    EXPECT_EQ(got.mid(2), QStringList({"y.txt", "w.txt", "z.txt"}));
    for (const QString &path : added)
        EXPECT_FALSE(path.contains("//")) << path.toStdString();
}

TEST_F(DroppedItemsTree, VanishedAndOddItemsAreSkippedWithoutLosingTheRest)
{
    const QStringList added = DroppedItems::filesToAdd(
        {at("gone.txt"), at("loose.txt"), QString(), at("loose.txt/below"), at("gone-folder"), at("top/B")},
        true);
    EXPECT_EQ(names(added), QStringList({"loose.txt", "z.txt"}));
}

TEST_F(DroppedItemsTree, TwoFoldersAddEachFileOnceAndAFolderWithOneOfItsFilesTwice)
{
    EXPECT_EQ(names(DroppedItems::filesToAdd({at("top/A"), at("top/B")}, true)),
              QStringList({"y.txt", "w.txt", "z.txt"}));
    EXPECT_EQ(names(DroppedItems::filesToAdd({at("top/B"), at("top/B/z.txt")}, false)),
              QStringList({"z.txt", "z.txt"}));
}

} // namespace
