#include "library/src/comment_file.h"

#include "chunk_sizes_printer.h"

#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace cf = scrivlet::comment_file;
using namespace std::string_literals;

namespace {

struct FileCase
{
    const char *name;
    std::string before;
    std::string text;  // what read gives
    std::string after; // the file after remove
};

void PrintTo(const FileCase &value, std::ostream *out)
{
    *out << value.name;
}

// Chunk sizes from one byte (every marker straddles a boundary) to the default.
const cf::ChunkSizes kChunkSizes[] = {{1, 1}, {1, 4}, {3, 7}, {8, 8}, {17, 64}, {4096, 1 << 20}};

class BlockFiles : public ::testing::TestWithParam<std::tuple<FileCase, cf::ChunkSizes>>
{
protected:
    TempDir m_dir;
};

TEST_P(BlockFiles, ReadAndRemoveGiveTheBlocksText)
{
    const auto &[c, chunks] = GetParam();
    const std::string path = m_dir.file("f");
    writeFile(path, c.before);
    ageFile(path);

    std::string text = "stale";
    EXPECT_EQ(cf::read(path.c_str(), 1000, text, chunks), SCRIVLET_OK);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(readFile(path), c.before) << "reading changed the file";

    EXPECT_EQ(cf::remove(path.c_str(), chunks), SCRIVLET_OK);
    EXPECT_EQ(readFile(path), c.after);
    if (c.after == c.before) {
        EXPECT_EQ(modificationTimeNs(path), 1000000000LL * 1000000000LL)
            << "a file without a block was written";
    }
}

const FileCase kFileCases[] = {
    {"AfterOwnBytes", "ABC#.START.#hi#.END.# ", "hi", "ABC"},
    {"EmptyCommentAfterBytes", "xyz#.START.##.END.# ", "", "xyz"},
    {"OnlyTheBlockEmptiesTheFile", "#.START.#note#.END.# ", "note", ""},
    {"OnlyAnEmptyBlock", "#.START.##.END.# ", "", ""},
    {"NoClosingBlank", "ABC#.START.#hi#.END.#", "", "ABC#.START.#hi#.END.#"},
    {"ByteAfterBlank", "ABC#.START.#hi#.END.# !", "", "ABC#.START.#hi#.END.# !"},
    {"TwoBlocksOnlyLastGoes", "#.START.#a#.END.# #.START.#bb#.END.# ", "bb", "#.START.#a#.END.# "},
    {"EndMarkerInsideText", "Q#.START.#ab#.END.# cd#.END.# ", "ab", "Q"},
    {"StartMarkerInsideTextCutsThere", "Q#.START.#a#.START.#b#.END.# ", "b", "Q#.START.#a"},
    {"EndMarkerWithoutStart", "plain text#.END.# ", "", "plain text#.END.# "},
    {"JustAnEndMarker", "#.END.# ", "", "#.END.# "},
    {"StartMarkerOverlappingEndMarker", "#.START.#.END.# ", "", "#.START.#.END.# "},
    {"ZeroByteEndsText", "#.START.#ab\0cd#.END.# "s, "ab", ""},
    {"HighBytesReadBack", "P#.START.#\xe9\xff\t#.END.# ", "\xe9\xff\t", "P"},
    {"EmptyFile", "", "", ""},
    {"ShortFile", "# ", "", "# "},
    {"LongTextAcrossChunks", "head#.START.#" + std::string(300, 'z') + "#.END.# ", std::string(300, 'z'),
     "head"},
};

INSTANTIATE_TEST_SUITE_P(Table, BlockFiles,
                         ::testing::Combine(::testing::ValuesIn(kFileCases),
                                            ::testing::ValuesIn(kChunkSizes)),
                         [](const auto &testInfo) {
                             const auto &chunks = std::get<1>(testInfo.param);
                             return std::string(std::get<0>(testInfo.param).name) + "_" +
                                    std::to_string(chunks.first) + "_" + std::to_string(chunks.largest);
                         });

class ReadLimit : public ::testing::TestWithParam<std::tuple<std::size_t, std::string>>
{
protected:
    TempDir m_dir;
};

TEST_P(ReadLimit, CutsTheTextToTheLimit)
{
    const auto &[limit, expected] = GetParam();
    const std::string path = m_dir.file("f");
    writeFile(path, "#.START.#abcdefghij#.END.# ");
    std::string text;
    EXPECT_EQ(cf::read(path.c_str(), limit, text, {2, 2}), SCRIVLET_OK);
    EXPECT_EQ(text, expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ReadLimit,
                         ::testing::Values(std::tuple{std::size_t{0}, ""s}, std::tuple{std::size_t{1}, "a"s},
                                           std::tuple{std::size_t{9}, "abcdefghi"s},
                                           std::tuple{std::size_t{10}, "abcdefghij"s},
                                           std::tuple{std::size_t{11}, "abcdefghij"s}));

TEST(CommentFile, TextBeyondTwentyThousandBytesIsReadWhole)
{
    TempDir dir;
    const std::string path = dir.file("f");
    std::string comment(70000, 'c');
    comment[40000] = 'M';
    writeFile(path, "#.START.#" + comment + "#.END.# ");
    std::string text;
    EXPECT_EQ(cf::read(path.c_str(), 100000, text), SCRIVLET_OK);
    EXPECT_EQ(text, comment);
}

TEST(CommentFile, BlockAtTheEndOfALargeSparseFile)
{
    TempDir dir;
    const std::string path = dir.file("big");
    const std::uintmax_t size = std::uintmax_t{64} << 20;
    writeFile(path, "");
    std::filesystem::resize_file(path, size);
    const std::string block = "#.START.#far away#.END.# ";
    ASSERT_EQ(cf::write(path.c_str(), block), SCRIVLET_OK);
    std::string text;
    EXPECT_EQ(cf::read(path.c_str(), 1000, text), SCRIVLET_OK);
    EXPECT_EQ(text, "far away");
    EXPECT_EQ(cf::remove(path.c_str()), SCRIVLET_OK);
    EXPECT_EQ(std::filesystem::file_size(path), size);
}

TEST(CommentFile, WriteAppendsOnlyTheKeptBytes)
{
    TempDir dir;
    const std::string path = dir.file("f");
    writeFile(path, "own\xff");
    EXPECT_EQ(cf::write(path.c_str(), "#.START.#a\tb\xe9\r\nc#.END.# "s), SCRIVLET_OK);
    EXPECT_EQ(cf::write(path.c_str(), "#.START.#2#.END.# "s), SCRIVLET_OK);
    EXPECT_EQ(readFile(path), "own\xff#.START.#ab\r\nc#.END.# #.START.#2#.END.# ");
}

TEST(CommentFile, WriteCreatesAMissingFileAndAnEmptyOneForNoKeptBytes)
{
    TempDir dir;
    EXPECT_EQ(cf::write(dir.file("new").c_str(), "hello"), SCRIVLET_OK);
    EXPECT_EQ(readFile(dir.file("new")), "hello");
    EXPECT_EQ(cf::write(dir.file("empty").c_str(), "\t\x01"), SCRIVLET_OK);
    EXPECT_EQ(readFile(dir.file("empty")), "");
}

TEST(CommentFile, MissingPathsAreNeverCreated)
{
    TempDir dir;
    const std::string path = dir.file("missing");
    std::string text = "stale";
    EXPECT_EQ(cf::read(path.c_str(), 100, text), SCRIVLET_E_NOENT);
    EXPECT_EQ(text, "");
    EXPECT_EQ(cf::remove(path.c_str()), SCRIVLET_E_NOENT);
    EXPECT_EQ(cf::erase(path.c_str()), SCRIVLET_E_NOENT);
    EXPECT_FALSE(exists(path));
    EXPECT_EQ(cf::write(dir.file("no/such/folder").c_str(), "x"), SCRIVLET_E_NOENT);
}

// Every operation on a path that is not a regular file returns at once with the same status.
TEST(CommentFile, FoldersAndFifosAreRefusedWithoutBlocking)
{
    TempDir dir;
    std::vector<std::string> paths = {dir.path()};
#ifndef _WIN32
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    paths.push_back(fifo);
#endif
    for (const std::string &path : paths) {
        SCOPED_TRACE(path);
        std::string text;
        EXPECT_EQ(cf::read(path.c_str(), 100, text), SCRIVLET_E_NOTREG);
        EXPECT_EQ(cf::remove(path.c_str()), SCRIVLET_E_NOTREG);
        EXPECT_EQ(cf::erase(path.c_str()), SCRIVLET_E_NOTREG);
        EXPECT_EQ(cf::write(path.c_str(), "x"), SCRIVLET_E_NOTREG);
    }
}

TEST(CommentFile, ReadOnlyFileKeepsItsBlock)
{
    TempDir dir;
    const std::string path = dir.file("f");
    const std::string content = "A#.START.#x#.END.# ";
    writeFile(path, content);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    // Root writes read-only files anyway, and so does Wine run by root.
    if (std::ofstream(path, std::ios::binary | std::ios::app).is_open())
        GTEST_SKIP() << "this user may write read-only files";
    std::string text;
    EXPECT_EQ(cf::read(path.c_str(), 100, text), SCRIVLET_OK);
    EXPECT_EQ(text, "x");
    EXPECT_EQ(cf::remove(path.c_str()), SCRIVLET_E_ACCESS);
    EXPECT_EQ(cf::write(path.c_str(), "y"), SCRIVLET_E_ACCESS);
    EXPECT_EQ(readFile(path), content);
}

#ifdef _WIN32
// A program that opened the file without sharing it keeps it to itself, even from root under Wine.
TEST(CommentFile, FileHeldWithoutSharingIsLeftAlone)
{
    TempDir dir;
    const std::string path = dir.file("f");
    const std::string content = "A#.START.#x#.END.# ";
    writeFile(path, content);
    HANDLE holder =
        ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::string text = "stale";
    EXPECT_EQ(cf::read(path.c_str(), 100, text), SCRIVLET_E_ACCESS);
    EXPECT_EQ(text, "");
    EXPECT_EQ(cf::remove(path.c_str()), SCRIVLET_E_ACCESS);
    EXPECT_EQ(cf::erase(path.c_str()), SCRIVLET_E_ACCESS);
    EXPECT_EQ(cf::write(path.c_str(), "y"), SCRIVLET_E_ACCESS);
    ::CloseHandle(holder);
    EXPECT_EQ(readFile(path), content);
}
#endif

#ifdef __linux__
// Root passes permission checks, but not the immutable attribute: the refused cut still shows.
TEST(CommentFile, ImmutableFileKeepsItsBlock)
{
    TempDir dir;
    const std::string path = dir.file("f");
    const std::string content = "A#.START.#x#.END.# ";
    writeFile(path, content);
    const int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    int flags = 0;
    bool immutable = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (immutable) {
        flags |= FS_IMMUTABLE_FL;
        immutable = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (!immutable) {
        ::close(fd);
        GTEST_SKIP() << "cannot make a file immutable here";
    }
    EXPECT_EQ(cf::remove(path.c_str()), SCRIVLET_E_ACCESS);
    EXPECT_EQ(cf::write(path.c_str(), "y"), SCRIVLET_E_ACCESS);
    std::string text;
    EXPECT_EQ(cf::read(path.c_str(), 100, text), SCRIVLET_OK);
    EXPECT_EQ(text, "x");
    flags &= ~FS_IMMUTABLE_FL;
    ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    ::close(fd);
    EXPECT_EQ(readFile(path), content);
}
#endif

TEST(CommentFile, ReadOnlyFileWithoutBlockNeedsNoWriteAccess)
{
    TempDir dir;
    const std::string path = dir.file("f");
    writeFile(path, "no block here");
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(cf::remove(path.c_str()), SCRIVLET_OK);
    EXPECT_EQ(cf::erase(path.c_str()), SCRIVLET_OK);
    EXPECT_EQ(readFile(path), "no block here");
}

struct EraseCase
{
    const char *name;
    std::string before;
    std::string after;
};

void PrintTo(const EraseCase &value, std::ostream *out)
{
    *out << value.name;
}

class Erase : public ::testing::TestWithParam<std::tuple<EraseCase, cf::ChunkSizes>>
{
protected:
    TempDir m_dir;
};

TEST_P(Erase, CutsAtTheSecondLastDelimiter)
{
    const auto &[c, chunks] = GetParam();
    const std::string path = m_dir.file("f");
    writeFile(path, c.before);
    ageFile(path);
    EXPECT_EQ(cf::erase(path.c_str(), chunks), SCRIVLET_OK);
    EXPECT_EQ(readFile(path), c.after);
    if (c.after == c.before) {
        EXPECT_EQ(modificationTimeNs(path), 1000000000LL * 1000000000LL);
    }
}

const EraseCase kEraseCases[] = {
    {"Example", "AB\x81xy\x81z", "AB"},
    {"TwoAtTheEnd", "data\x81\x81", "data"},
    {"AtOffsetZero", "\x81xyz\x81", ""},
    {"ThreeKeepsTheFirst",
     "a\x81"
     "b\x81"
     "c\x81"
     "d",
     "a\x81"
     "b"},
    {"OnlyOne",
     "ab\x81"
     "cd",
     "ab\x81"
     "cd"},
    {"None", "abcd", "abcd"},
    {"Empty", "", ""},
    {"FarApart", "s\x81" + std::string(100, 'm') + "\x81" + std::string(50, 'e'), "s"},
};

INSTANTIATE_TEST_SUITE_P(Table, Erase,
                         ::testing::Combine(::testing::ValuesIn(kEraseCases),
                                            ::testing::Values(cf::ChunkSizes{1, 1}, cf::ChunkSizes{3, 16},
                                                              cf::ChunkSizes{})),
                         [](const auto &testInfo) {
                             return std::string(std::get<0>(testInfo.param).name) + "_" +
                                    std::to_string(std::get<1>(testInfo.param).first);
                         });

// A span from a start marker to the file's end longer than any block ever written is the file's own
// content (a document that mentions the marker and ends with the end marker): read gives nothing,
// remove leaves it whole and a replace appends the new block after it.
TEST(LongSpan, IsTheFilesOwnContentBeyondTheLongestBlock)
{
    TempDir dir;
    const std::string path = dir.file("document");
    const std::string own = "a document that mentions ";
    for (const std::size_t span :
         {std::size_t{SCRIVLET_MAX_TEXT}, std::size_t{SCRIVLET_MAX_TEXT} + 1, std::size_t{2} << 20}) {
        SCOPED_TRACE(span);
        const std::string middle(span - 17, 'm');
        const std::string image = own + "#.START.#" + middle + "#.END.# ";
        const bool isBlock = span <= SCRIVLET_MAX_TEXT;
        writeFile(path, image);
        std::string text;
        EXPECT_EQ(cf::read(path.c_str(), span, text), SCRIVLET_OK);
        EXPECT_EQ(text, isBlock ? middle : "");
        EXPECT_EQ(cf::remove(path.c_str()), SCRIVLET_OK);
        EXPECT_EQ(readFile(path), isBlock ? own : image);
        writeFile(path, image);
        EXPECT_EQ(cf::replace(path.c_str(), "new", 0), SCRIVLET_OK);
        EXPECT_EQ(readFile(path), (isBlock ? own : image) + "#.START.#new#.END.# ");
        writeFile(path, image);
        EXPECT_EQ(cf::replace(path.c_str(), "", SCRIVLET_REPLACE_REMOVE), SCRIVLET_OK);
        EXPECT_EQ(readFile(path), isBlock ? own : image);
    }
}

#ifndef _WIN32
// Paths that are no file of bytes get their own status, never "input/output error" or success: a
// loop of symbolic links, and a kernel interface on proc that its owner may write (a write there
// renames the process).
TEST(OddPaths, AreRefusedWithTheirOwnStatus)
{
    TempDir dir;
    const std::string loop = dir.file("loop");
    ASSERT_EQ(::symlink("loop2", loop.c_str()), 0);
    ASSERT_EQ(::symlink("loop", dir.file("loop2").c_str()), 0);
    const std::string comm = "/proc/self/task/" + std::to_string(::gettid()) + "/comm";
    const std::string before = readFile(comm);
    const struct
    {
        std::string path;
        int status;
    } cases[] = {{loop, SCRIVLET_E_LOOP}, {comm, SCRIVLET_E_NOTREG}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(cf::replace(c.path.c_str(), "x", 0), c.status);
        EXPECT_EQ(cf::write(c.path.c_str(), "#.START.#x#.END.# "), c.status);
    }
    EXPECT_EQ(readFile(comm), before);
    std::string text;
    EXPECT_EQ(cf::read(loop.c_str(), 10, text), SCRIVLET_E_LOOP);
}
#endif

} // namespace
