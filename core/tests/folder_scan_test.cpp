// The folder scan's rules on real trees: which entries count as files, which folders are entered,
// the order, and what happens to folders that cannot be listed.
#include "core/folder_scan.h"

#include "tests/support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using scrivlet::core::FolderScan;
using Paths = std::vector<std::string>;

// A temporary tree built from relative paths (as bytes); folders end in "/".
class Tree
{
public:
    Tree(std::initializer_list<std::string> entries)
    {
        for (const std::string &entry : entries)
            add(entry);
    }
    void add(const std::string &relative)
    {
        std::size_t slash = 0;
        while ((slash = relative.find('/', slash + 1)) != std::string::npos)
            ::mkdir(at(relative.substr(0, slash)).c_str(), 0755);
        if (!relative.ends_with('/'))
            writeFile(at(relative), "x");
    }
    const std::string &root() const { return m_dir.path(); }
    std::string at(const std::string &relative) const { return m_dir.file(relative); }

    // Paths relative to the root, so expectations stay short.
    Paths relative(const Paths &paths) const
    {
        Paths out;
        for (const std::string &path : paths) {
            EXPECT_EQ(path.compare(0, root().size() + 1, root() + "/"), 0) << path;
            out.push_back(path.substr(root().size() + 1));
        }
        return out;
    }

private:
    TempDir m_dir;
};

struct NameCase
{
    const char *name;
    std::string path;
    std::string extension;
    bool excluded;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const NameCase &c, std::ostream *os)
{
    *os << c.name;
}

class Extension : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(Extension, ExtensionAndDbExclusion)
{
    EXPECT_EQ(FolderScan::extensionName(GetParam().path), GetParam().extension);
    EXPECT_EQ(FolderScan::isExcluded(GetParam().path), GetParam().excluded);
}

INSTANTIATE_TEST_SUITE_P(Names, Extension,
                         ::testing::Values(NameCase{"LowerDbIsExcluded", "/a/thumbs.db", "db", true},
                                           NameCase{"UpperDbPasses", "/a/THUMBS.DB", "DB", false},
                                           NameCase{"MixedDbPasses", "/a/x.Db", "Db", false},
                                           NameCase{"DbBeforeAnotherExtension", "/a/x.db.txt", "txt", false},
                                           NameCase{"LastExtensionCounts", "/a/x.tar.gz", "gz", false},
                                           NameCase{"DotInFolderNameOnly", "/a.db/readme", "", false},
                                           NameCase{"NoDot", "/a/noext", "", false},
                                           NameCase{"HiddenDbFile", "/a/.db", "db", true},
                                           NameCase{"TrailingDot", "/a/x.", "", false},
                                           NameCase{"Latin1NameWithDb", "/a/caf\xe9.db", "db", true},
                                           NameCase{"RelativeName", "x.db", "db", true}),
                         [](const auto &param) { return std::string(param.param.name); });

struct OrderCase
{
    const char *name;
    std::string before;
    std::string after;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const OrderCase &c, std::ostream *os)
{
    *os << c.name;
}

class NameOrder : public ::testing::TestWithParam<OrderCase>
{
};

TEST_P(NameOrder, PutsEveryNameInOnePlace)
{
    EXPECT_TRUE(FolderScan::nameLess(GetParam().before, GetParam().after));
    EXPECT_FALSE(FolderScan::nameLess(GetParam().after, GetParam().before));
}

INSTANTIATE_TEST_SUITE_P(Pairs, NameOrder,
                         ::testing::Values(OrderCase{"LettersIgnoreCase", "apple", "Banana"},
                                           OrderCase{"UpperCaseFirstWhenOtherwiseEqual", "Name", "name"},
                                           OrderCase{"UnderscoreAfterLetters", "zebra", "_first"},
                                           OrderCase{"UnderscoreAfterLowerCaseToo", "Z", "_"},
                                           OrderCase{"DigitsBeforeLetters", "9", "a"},
                                           OrderCase{"PrefixFirst", "file", "file.txt"},
                                           OrderCase{"HighBytesAfterAscii", "zz", "\xc3\xa9"},
                                           OrderCase{"HighBytesByValue", "caf\xc3\xa9", "caf\xe9"},
                                           OrderCase{"HighBytesAreNotFolded",
                                                     "\xc9"
                                                     "b",
                                                     "\xe9"
                                                     "a"},
                                           OrderCase{"BlankFirst", " a", "a"},
                                           OrderCase{"NewlineBeforeBlank", "a\nb", "a b"}),
                         [](const auto &param) { return std::string(param.param.name); });

TEST(NameOrder, IsIrreflexive)
{
    for (const std::string name : {"", "a", "A", "\xe9", "a b"})
        EXPECT_FALSE(FolderScan::nameLess(name, name)) << name;
}

TEST(FolderScan, TrailingSlash)
{
    EXPECT_EQ(FolderScan::trailingSlash(""), "");
    EXPECT_EQ(FolderScan::trailingSlash("/"), "/");
    EXPECT_EQ(FolderScan::trailingSlash("/a/b"), "/a/b/");
    EXPECT_EQ(FolderScan::trailingSlash("/a/b/"), "/a/b/");
}

TEST(FolderScan, RecursiveOrderIsOwnFilesThenSubfoldersDepthFirst)
{
    Tree tree{"x", "w.txt", "B/z", "A/y", "A/deep/v", "A/deep/u", "A/q", "B/C/t", "a/lower"};
    const auto found = FolderScan::recursiveFiles(tree.root());
    EXPECT_EQ(tree.relative(found.files),
              (Paths{"w.txt", "x", "A/q", "A/y", "A/deep/u", "A/deep/v", "a/lower", "B/z", "B/C/t"}));
    EXPECT_TRUE(found.unreadableFolders.empty());
}

TEST(FolderScan, RecursivePathsUseTheTrailingSlashForm)
{
    Tree tree{"a"};
    EXPECT_EQ(FolderScan::recursiveFiles(tree.root()).files, Paths{tree.root() + "/a"});
    EXPECT_EQ(FolderScan::recursiveFiles(tree.root() + "/").files, Paths{tree.root() + "/a"});
}

TEST(FolderScan, RecursiveSkipsHiddenFilesAndFolders)
{
    Tree tree{".hidden", "shown", ".secret/in", "S/.h", "S/v"};
    EXPECT_EQ(tree.relative(FolderScan::recursiveFiles(tree.root()).files), (Paths{"shown", "S/v"}));
}

TEST(FolderScan, FolderFilesListsHiddenFilesButNoFolders)
{
    Tree tree{".hidden", "shown", "S/in"};
    EXPECT_EQ(tree.relative(FolderScan::folderFiles(tree.root()).files), (Paths{".hidden", "shown"}));
}

TEST(FolderScan, FolderFilesDoublesTheSeparatorOfAFolderEndingInOne)
{
    Tree tree{"a"};
    EXPECT_EQ(FolderScan::folderFiles(tree.root() + "/").files, Paths{tree.root() + "//a"});
}

TEST(FolderScan, OnlyRegularFilesAndLinksToThemAreListed)
{
    Tree tree{"plain", "S/"};
    ASSERT_EQ(::mkfifo(tree.at("pipe").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(tree.at("S/pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink(tree.at("missing").c_str(), tree.at("dangling").c_str()), 0);
    ASSERT_EQ(::symlink(tree.at("plain").c_str(), tree.at("tofile").c_str()), 0);
    EXPECT_EQ(tree.relative(FolderScan::recursiveFiles(tree.root()).files), (Paths{"plain", "tofile"}));
    EXPECT_EQ(tree.relative(FolderScan::folderFiles(tree.root()).files), (Paths{"plain", "tofile"}));
}

TEST(FolderScan, LinksToFoldersAreNotFollowed)
{
    Tree tree{"a", "S/b"};
    // A loop back to the root and a link to a sibling folder: neither may be entered.
    ASSERT_EQ(::symlink(tree.root().c_str(), tree.at("S/loop").c_str()), 0);
    ASSERT_EQ(::symlink(tree.at("S").c_str(), tree.at("T").c_str()), 0);
    EXPECT_EQ(tree.relative(FolderScan::recursiveFiles(tree.root()).files), (Paths{"a", "S/b"}));
}

TEST(FolderScan, AFolderNamedThroughALinkIsListed)
{
    Tree tree{"S/b"};
    ASSERT_EQ(::symlink(tree.at("S").c_str(), tree.at("T").c_str()), 0);
    EXPECT_EQ(tree.relative(FolderScan::recursiveFiles(tree.at("T")).files), Paths{"T/b"});
    EXPECT_EQ(tree.relative(FolderScan::folderFiles(tree.at("T")).files), Paths{"T/b"});
}

TEST(FolderScan, NamesThatAreNotUtf8AreListedAsTheirBytes)
{
    const std::string latin1 = "caf\xe9.txt";
    const std::string folder = "d\xfc\xfc/";
    Tree tree{latin1, "cafe.txt", folder + "in\xff", "line\nbreak", "-m", "with  spaces"};
    EXPECT_EQ(tree.relative(FolderScan::recursiveFiles(tree.root()).files),
              (Paths{"-m", "cafe.txt", "caf\xe9.txt", "line\nbreak", "with  spaces", "d\xfc\xfc/in\xff"}));
    EXPECT_EQ(tree.relative(FolderScan::folderFiles(tree.root()).files),
              (Paths{"-m", "cafe.txt", "caf\xe9.txt", "line\nbreak", "with  spaces"}));
}

constexpr uid_t kNobody = 65534;

// Runs a scan in a child process, as "nobody" when the tests run as root (who reads any folder),
// and gives its files and unreadable folders joined by NUL bytes.
std::pair<std::string, std::string> scanInChild(const std::string &folder, bool &skipped)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(3);
        const auto found = FolderScan::recursiveFiles(folder);
        std::string message;
        for (const std::string &file : found.files)
            message += file + '\0';
        message += '\n';
        for (const std::string &unreadable : found.unreadableFolders)
            message += unreadable + '\0';
        const bool written =
            ::write(channel[1], message.data(), message.size()) == static_cast<ssize_t>(message.size());
        ::_exit(written ? 0 : 4);
    }
    ::close(channel[1]);
    std::string message;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(channel[0], buffer, sizeof buffer)) > 0)
        message.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    skipped = WIFEXITED(status) && WEXITSTATUS(status) == 3;
    const std::size_t split = message.find('\n');
    if (split == std::string::npos)
        return {};
    return {message.substr(0, split), message.substr(split + 1)};
}

TEST(FolderScan, UnreadableFolderIsPassedOverAndReported)
{
    Tree tree{"a", "A/locked", "B/open"};
    // Every user may enter the tree, but nobody but its owner may list A.
    ASSERT_EQ(::chmod(tree.root().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(tree.at("A").c_str(), 0), 0);
    if (::geteuid() != 0 && ::access(tree.at("A").c_str(), R_OK) == 0)
        GTEST_SKIP() << "this user reads folders without permission";
    bool skipped = false;
    const auto [files, unreadable] = scanInChild(tree.root(), skipped);
    ::chmod(tree.at("A").c_str(), 0700);
    if (skipped)
        GTEST_SKIP() << "cannot switch to the user nobody";
    EXPECT_EQ(files, tree.at("a") + '\0' + tree.at("B/open") + '\0');
    EXPECT_EQ(unreadable, tree.at("A/") + '\0');
}

TEST(FolderScan, ScanAppliesTheDbExclusionInBothModes)
{
    Tree tree{"thumbs.db", "THUMBS.DB", "S/x.db", "S/keep.txt"};
    EXPECT_EQ(tree.relative(FolderScan::scan(tree.root(), false).files), Paths{"THUMBS.DB"});
    EXPECT_EQ(tree.relative(FolderScan::scan(tree.root(), true).files), (Paths{"THUMBS.DB", "S/keep.txt"}));
}

TEST(FolderScan, AMissingFolderOrAFileFindsNothingAndIsReported)
{
    Tree tree{"a"};
    for (const bool subfolders : {false, true}) {
        for (const std::string &folder : {tree.at("nope"), tree.at("a")}) {
            const auto found = FolderScan::scan(folder, subfolders);
            EXPECT_TRUE(found.files.empty()) << folder;
            EXPECT_EQ(found.unreadableFolders.size(), 1u) << folder;
        }
    }
}

} // namespace
