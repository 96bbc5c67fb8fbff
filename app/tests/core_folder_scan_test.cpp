#include "app/core/folder_scan.h"
#include "tests/support/case_name.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary tree built from relative paths; folders end in "/".
class Tree
{
public:
    explicit Tree(std::initializer_list<const char *> entries)
    {
        for (const char *entry : entries)
            add(QString::fromUtf8(entry));
    }
    void add(const QString &relative)
    {
        const QString full = m_dir.path() + QLatin1Char('/') + relative;
        if (relative.endsWith(QLatin1Char('/'))) {
            QDir().mkpath(full);
            return;
        }
        QDir().mkpath(QFileInfo(full).path());
        QFile file(full);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    QString root() const { return m_dir.path(); }
    QString at(const QString &relative) const { return m_dir.path() + QLatin1Char('/') + relative; }

    // Paths relative to the root, so expectations stay short.
    QStringList relative(const QStringList &paths) const
    {
        QStringList out;
        for (const QString &path : paths)
            out << path.mid(m_dir.path().size() + 1);
        return out;
    }

private:
    QTemporaryDir m_dir;
};

QStringList recursive(const QString &folder, const QString &fileSpec = QStringLiteral("*.*"))
{
    QStringList files;
    QString start = folder;
    FolderScan::recursiveDir(files, start, fileSpec, true);
    return files;
}

struct NameCase
{
    const char *path;
    const char *extension;
    bool excluded;
};

void PrintTo(const NameCase &c, std::ostream *os)
{
    *os << c.path;
}

class ExtensionTest : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(ExtensionTest, ExtensionAndDbExclusion)
{
    const QString path = QString::fromUtf8(GetParam().path);
    EXPECT_EQ(FolderScan::extensionName(path).toStdString(), GetParam().extension);
    EXPECT_EQ(FolderScan::isExcluded(path), GetParam().excluded);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExtensionTest,
    ::testing::Values(NameCase{"/a/thumbs.db", "db", true}, NameCase{"/a/THUMBS.DB", "DB", false},
                      NameCase{"/a/x.Db", "Db", false}, NameCase{"/a/x.db.txt", "txt", false},
                      NameCase{"/a/x.tar.gz", "gz", false}, NameCase{"/a.db/readme", "", false},
                      NameCase{"/a/noext", "", false}, NameCase{"/a/.db", "db", true},
                      NameCase{"/a/x.", "", false}),
    PrintedCaseName());

TEST(FolderScan, TrailingSlash)
{
    EXPECT_EQ(FolderScan::trailingSlash(QString()), QString());
    EXPECT_EQ(FolderScan::trailingSlash(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(FolderScan::trailingSlash(QStringLiteral("/a/b")), QStringLiteral("/a/b/"));
    EXPECT_EQ(FolderScan::trailingSlash(QStringLiteral("/a/b/")), QStringLiteral("/a/b/"));
}

TEST(FolderScan, RecursiveOrderIsOwnFilesThenSubfoldersDepthFirst)
{
    Tree tree{"x", "w.txt", "B/z", "A/y", "A/deep/v", "A/deep/u", "A/q", "B/C/t"};
    EXPECT_EQ(tree.relative(recursive(tree.root())),
              (QStringList{"w.txt", "x", "A/q", "A/y", "A/deep/u", "A/deep/v", "B/z", "B/C/t"}));
}

TEST(FolderScan, RecursiveChangesTheFolderToItsSlashForm)
{
    Tree tree{"a"};
    QStringList files;
    QString folder = tree.root();
    FolderScan::recursiveDir(files, folder, QStringLiteral("*.*"), false);
    EXPECT_EQ(folder, tree.root() + QLatin1Char('/'));
    EXPECT_EQ(files, QStringList{tree.at(QStringLiteral("a"))});
}

TEST(FolderScan, RecursiveWithoutSubfoldersStaysInTheFolder)
{
    Tree tree{"a", "S/b"};
    QStringList files;
    QString folder = tree.root();
    FolderScan::recursiveDir(files, folder, QStringLiteral("*.*"), false);
    EXPECT_EQ(tree.relative(files), QStringList{"a"});
}

TEST(FolderScan, RecursiveSkipsHiddenFilesAndFolders)
{
    Tree tree{".hidden", "shown", ".secret/in", "S/.h", "S/v"};
    EXPECT_EQ(tree.relative(recursive(tree.root())), (QStringList{"shown", "S/v"}));
}

TEST(FolderScan, FolderFilesListsHiddenFilesButNoFolders)
{
    Tree tree{".hidden", "shown", "S/in"};
    EXPECT_EQ(tree.relative(FolderScan::folderFiles(tree.root())), (QStringList{".hidden", "shown"}));
}

TEST(FolderScan, FolderFilesDoublesTheSeparatorOfAFolderEndingInOne)
{
    Tree tree{"a"};
    EXPECT_EQ(FolderScan::folderFiles(tree.root() + QLatin1Char('/')),
              QStringList{tree.root() + QStringLiteral("//a")});
}

TEST(FolderScan, FileSpecFiltersNamesButNotFolders)
{
    Tree tree{"a.txt", "b.log", "S/c.txt", "S/d.bin", "noext"};
    EXPECT_EQ(tree.relative(recursive(tree.root(), QStringLiteral("*.txt"))),
              (QStringList{"a.txt", "S/c.txt"}));
    EXPECT_EQ(tree.relative(recursive(tree.root(), QStringLiteral("*"))),
              (QStringList{"a.txt", "b.log", "noext", "S/c.txt", "S/d.bin"}));
}

TEST(FolderScan, OnlyRegularFilesAreListed)
{
    Tree tree{"plain", "S/"};
    ASSERT_EQ(::mkfifo(tree.at(QStringLiteral("pipe")).toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(tree.at(QStringLiteral("S/pipe")).toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(tree.at(QStringLiteral("missing")), tree.at(QStringLiteral("dangling"))));
    EXPECT_EQ(tree.relative(recursive(tree.root())), QStringList{"plain"});
    EXPECT_EQ(tree.relative(FolderScan::folderFiles(tree.root())), QStringList{"plain"});
}

TEST(FolderScan, LinksToFoldersAreNotFollowed)
{
    Tree tree{"a", "S/b"};
    // A loop back to the root and a link to a sibling folder: neither may be descended into.
    ASSERT_TRUE(QFile::link(tree.root(), tree.at(QStringLiteral("S/loop"))));
    ASSERT_TRUE(QFile::link(tree.at(QStringLiteral("S")), tree.at(QStringLiteral("T"))));
    EXPECT_EQ(tree.relative(recursive(tree.root())), (QStringList{"a", "S/b"}));
}

TEST(FolderScan, UnreadableFolderIsPassedOver)
{
    Tree tree{"a", "A/locked", "B/open"};
    const QByteArray locked = tree.at(QStringLiteral("A")).toLocal8Bit();
    ASSERT_EQ(::chmod(locked.constData(), 0), 0);
    if (QDir(tree.at(QStringLiteral("A"))).entryList(QDir::Files).contains(QStringLiteral("locked"))) {
        ::chmod(locked.constData(), 0700);
        GTEST_SKIP() << "this user can read a folder without permissions (root)";
    }
    const QStringList found = recursive(tree.root());
    ::chmod(locked.constData(), 0700);
    EXPECT_EQ(tree.relative(found), (QStringList{"a", "B/open"}));
}

TEST(FolderScan, ScanForRowsAppliesTheDbExclusionInBothModes)
{
    Tree tree{"thumbs.db", "THUMBS.DB", "S/x.db", "S/keep.txt"};
    EXPECT_EQ(tree.relative(FolderScan::scanForRows(tree.root(), false)), QStringList{"THUMBS.DB"});
    EXPECT_EQ(tree.relative(FolderScan::scanForRows(tree.root(), true)),
              (QStringList{"THUMBS.DB", "S/keep.txt"}));
}

TEST(FolderScan, ScanOfAMissingFolderFindsNothing)
{
    Tree tree{"a"};
    EXPECT_TRUE(FolderScan::scanForRows(tree.at(QStringLiteral("nope")), false).isEmpty());
    EXPECT_TRUE(FolderScan::scanForRows(tree.at(QStringLiteral("a")), true).isEmpty());
}

} // namespace
