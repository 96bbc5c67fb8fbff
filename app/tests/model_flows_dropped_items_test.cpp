#include "app/model/dropped_items.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <sys/stat.h>

using namespace scrivlet;

namespace {

// A tree to drop:   top/x.txt, top/notes.db, top/UP.DB, top/.hidden,
//                   top/A/y.txt, top/A/deep/w.txt, top/B/z.txt, loose files loose.txt and loose.db,
//                   and names that are not UTF-8: top/C\xe9/caf\xe9.txt, loose\xff.txt.
class DroppedItemsTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *folder : {"top", "top/A", "top/A/deep", "top/B", "top/C\xe9"})
            ASSERT_EQ(::mkdir(m_dir.file(folder).c_str(), 0755), 0) << folder;
        for (const char *name :
             {"top/x.txt", "top/notes.db", "top/UP.DB", "top/.hidden", "top/A/y.txt", "top/A/deep/w.txt",
              "top/B/z.txt", "top/C\xe9/caf\xe9.txt", "loose.txt", "loose.db", "loose\xff.txt"})
            m_dir.write(name, "x");
    }

    QByteArray at(const char *relative) const { return QByteArray::fromStdString(m_dir.file(relative)); }

    // File names of the added paths, in order (their bytes as Latin-1, so every byte shows), each
    // checked to name an existing file.
    static QStringList names(const QByteArrayList &paths)
    {
        QStringList result;
        for (const QByteArray &path : paths) {
            EXPECT_TRUE(exists(path.toStdString())) << path.toStdString();
            result.append(QString::fromLatin1(path.mid(path.lastIndexOf('/') + 1)));
        }
        return result;
    }

    TempDir m_dir;
};

TEST_F(DroppedItemsTree, FilesAreAddedAsTheyAreExceptDb)
{
    const QByteArrayList added = DroppedItems::filesToAdd(
        {at("loose.txt"), at("loose.db"), at("top/UP.DB"), at("loose\xff.txt")}, false);
    EXPECT_EQ(added, QByteArrayList({at("loose.txt"), at("top/UP.DB"), at("loose\xff.txt")}));
}

TEST_F(DroppedItemsTree, FolderWithoutSubFoldersAddsItsOwnFilesHiddenIncluded)
{
    const QByteArrayList added = DroppedItems::filesToAdd({at("top")}, false);
    QStringList sorted = names(added);
    sorted.sort();
    EXPECT_EQ(sorted, QStringList({".hidden", "UP.DB", "x.txt"}));
}

TEST_F(DroppedItemsTree, FolderWithSubFoldersAddsOwnFilesThenEachSubFolderDepthFirst)
{
    const QByteArrayList added = DroppedItems::filesToAdd({at("top/")}, true);
    const QStringList got = names(added);
    // Hidden files are not part of a scan with sub-folders; its own files come first, then the
    // sub-folders in name order (0xE9 after the ASCII letters).
    ASSERT_EQ(got.size(), 6);
    QStringList own = got.mid(0, 2);
    own.sort();
    EXPECT_EQ(own, QStringList({"UP.DB", "x.txt"}));
    EXPECT_EQ(got.mid(2), QStringList({"y.txt", "w.txt", "z.txt", QStringLiteral("caf\u00e9.txt")}));
    EXPECT_EQ(added.back(), at("top/C\xe9/caf\xe9.txt"));
    for (const QByteArray &path : added)
        EXPECT_FALSE(path.contains("//")) << path.toStdString();
}

TEST_F(DroppedItemsTree, VanishedAndOddItemsAreSkippedWithoutLosingTheRest)
{
    const QByteArrayList added =
        DroppedItems::filesToAdd({at("gone.txt"), at("loose.txt"), QByteArray(), at("loose.txt/below"),
                                  at("gone-folder"), at("top/B")},
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
