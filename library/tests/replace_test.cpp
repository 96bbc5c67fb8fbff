// Replacing and removing a comment in one call: what the file holds afterwards, byte by byte.
#include "library/src/comment_file.h"

#include "chunk_sizes_printer.h"
#include "library/src/file_access.h"

#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace cf = scrivlet::comment_file;
using scrivlet::FileAccess;
using namespace std::string_literals;

namespace {

struct ReplaceCase
{
    const char *name;
    std::string before;
    std::string text;
    std::uint32_t flags;
    int status;
    std::string after;
};

// Names the case in failure messages and ctest listings, not its bytes.
void PrintTo(const ReplaceCase &value, std::ostream *out)
{
    *out << value.name;
}

// Chunk sizes from one byte (every marker straddles a boundary) to the default.
const cf::ChunkSizes kChunkSizes[] = {{1, 1}, {3, 7}, {4096, 1 << 20}};

class Replace : public ::testing::TestWithParam<std::tuple<ReplaceCase, cf::ChunkSizes>>
{
protected:
    TempDir m_dir;
};

TEST_P(Replace, LeavesTheFileAsDeleteAndAppendWould)
{
    const auto &[c, chunks] = GetParam();
    const std::string path = m_dir.file("f");
    writeFile(path, c.before);
    EXPECT_EQ(cf::replace(path.c_str(), c.text, c.flags, chunks), c.status);
    EXPECT_EQ(readFile(path), c.after);
}

const std::string kLong(5000, 'L');

const ReplaceCase kReplaceCases[] = {
    {"NoBlockGetsOneAppended", "ABC", "hi", 0, SCRIVLET_OK, "ABC#.START.#hi#.END.# "},
    {"EmptyFileGetsTheBlockOnly", "", "hi", 0, SCRIVLET_OK, "#.START.#hi#.END.# "},
    {"ShorterReplacesLonger", "ABC#.START.#a long old comment#.END.# ", "new", 0, SCRIVLET_OK,
     "ABC#.START.#new#.END.# "},
    {"LongerReplacesShorter", "ABC#.START.#old#.END.# ", "a longer new one", 0, SCRIVLET_OK,
     "ABC#.START.#a longer new one#.END.# "},
    {"LongOldBlockBeyondTheFirstChunk", "own#.START.#" + kLong + "#.END.# ", "s", 0, SCRIVLET_OK,
     "own#.START.#s#.END.# "},
    {"LongNewBlock", "own#.START.#s#.END.# ", kLong, 0, SCRIVLET_OK, "own#.START.#" + kLong + "#.END.# "},
    {"EmptyCommentIsTheTwoMarkers", "ABC#.START.#x#.END.# ", "", 0, SCRIVLET_OK, "ABC#.START.##.END.# "},
    {"BlockAtOffsetZero", "#.START.#old#.END.# ", "new", 0, SCRIVLET_OK, "#.START.#new#.END.# "},
    {"OnlyTheLastOfTwoBlocks", "#.START.#a#.END.# #.START.#b#.END.# ", "c", 0, SCRIVLET_OK,
     "#.START.#a#.END.# #.START.#c#.END.# "},
    {"InnerStartMarkerOfAnOldCommentCutsThere", "Q#.START.#a#.START.#b#.END.# ", "n", 0, SCRIVLET_OK,
     "Q#.START.#a#.START.#n#.END.# "},
    {"EndMarkerWithoutStartStays", "text#.END.# ", "n", 0, SCRIVLET_OK, "text#.END.# #.START.#n#.END.# "},
    {"TabsAccentsAndZerosAreDropped", "P", "a\tb caf\xc3\xa9\0!\r\n"s, 0, SCRIVLET_OK,
     "P#.START.#ab caf!\r\n#.END.# "},
    {"Utf8KeepsHighBytes", "P", "a\tb caf\xc3\xa9\r\n", SCRIVLET_REPLACE_UTF8, SCRIVLET_OK,
     "P#.START.#ab caf\xc3\xa9\r\n#.END.# "},
    {"OtherFlagsStoreTheSameBytes", "P#.START.#o#.END.# ", "n",
     SCRIVLET_REPLACE_KEEP_TIMES | SCRIVLET_REPLACE_SYNC | 0x100u, SCRIVLET_OK, "P#.START.#n#.END.# "},
    {"RemoveCutsTheBlock", "ABC#.START.#hi#.END.# ", "ignored", SCRIVLET_REPLACE_REMOVE, SCRIVLET_OK, "ABC"},
    {"RemoveOfABlockAtOffsetZeroEmptiesTheFile", "#.START.#hi#.END.# ", "", SCRIVLET_REPLACE_REMOVE,
     SCRIVLET_OK, ""},
    {"RemoveWithoutBlockChangesNothing", "ABC#.END.#", "", SCRIVLET_REPLACE_REMOVE, SCRIVLET_OK,
     "ABC#.END.#"},
    {"RemoveIgnoresAMarkerInTheText", "A#.START.#x#.END.# ", "#.END.# ", SCRIVLET_REPLACE_REMOVE, SCRIVLET_OK,
     "A"},
    {"StartMarkerInTheText", "A#.START.#old#.END.# ", "x#.START.#y", 0, SCRIVLET_E_MARKER,
     "A#.START.#old#.END.# "},
    {"EndMarkerInTheText", "A", "x#.END.# y", 0, SCRIVLET_E_MARKER, "A"},
    {"TextFormsAStartMarkerWithTheBlocksOwn", "A", ".START.#y", 0, SCRIVLET_E_MARKER, "A"},
    {"TextEndingLikeTheEndMarkerBeforeTheBlank", "A", "x#.END.#", 0, SCRIVLET_OK,
     "A#.START.#x#.END.##.END.# "},
    {"MarkerFormedByDroppedBytes", "A", "#.ST\tART.#", 0, SCRIVLET_E_MARKER, "A"},
    {"DroppedHighByteFormsAMarkerOnlyWithoutUtf8", "A", "#.END.#\xc3 ", SCRIVLET_REPLACE_UTF8, SCRIVLET_OK,
     "A#.START.##.END.#\xc3 #.END.# "},
    {"DroppedHighByteFormsAMarker", "A", "#.END.#\xc3 ", 0, SCRIVLET_E_MARKER, "A"},
};

INSTANTIATE_TEST_SUITE_P(Table, Replace,
                         ::testing::Combine(::testing::ValuesIn(kReplaceCases),
                                            ::testing::ValuesIn(kChunkSizes)),
                         [](const auto &testInfo) {
                             return std::string(std::get<0>(testInfo.param).name) + "_" +
                                    std::to_string(std::get<1>(testInfo.param).first);
                         });

struct RefusalCase
{
    const char *name;
    int status;
};

void PrintTo(const RefusalCase &value, std::ostream *out)
{
    *out << value.name;
}

class Refusal : public ::testing::TestWithParam<RefusalCase>
{
protected:
    TempDir m_dir;
};

// What the path names is made by the case; nothing may be created or changed.
TEST_P(Refusal, LeavesThePathAsItWas)
{
    const RefusalCase &c = GetParam();
    const std::string name = c.name;
    std::string path = m_dir.file("f");
    std::string text = "note";
    if (name == "MissingFile") {
        EXPECT_EQ(cf::replace(path.c_str(), text, 0), c.status);
        EXPECT_FALSE(exists(path));
        return;
    }
    if (name == "Folder")
        path = m_dir.path();
#ifndef _WIN32
    else if (name == "Fifo")
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
#endif
    else if (name == "TooLong")
        text.assign(SCRIVLET_MAX_COMMENT + 1, 'x');
    if (name == "TooLong" || name == "MissingFolder")
        writeFile(path, "own#.START.#old#.END.# ");
    if (name == "MissingFolder")
        path = m_dir.file("no/f");
    EXPECT_EQ(cf::replace(path.c_str(), text, 0), c.status);
    EXPECT_EQ(cf::replace(path.c_str(), text, SCRIVLET_REPLACE_REMOVE),
              name == "TooLong" ? SCRIVLET_OK : c.status);
    if (name == "TooLong") {
        EXPECT_EQ(readFile(path), "own");
    }
}

const std::vector<RefusalCase> kRefusalCases = {
    {"MissingFile", SCRIVLET_E_NOENT},
    {"MissingFolder", SCRIVLET_E_NOENT},
    {"Folder", SCRIVLET_E_NOTREG},
#ifndef _WIN32
    {"Fifo", SCRIVLET_E_NOTREG}, // Windows has no FIFOs in the file system
#endif
    {"TooLong", SCRIVLET_E_TOOLONG}};

INSTANTIATE_TEST_SUITE_P(Table, Refusal, ::testing::ValuesIn(kRefusalCases),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(ReplaceComments, TheLongestCommentFitsAndReadsBack)
{
    TempDir dir;
    const std::string path = dir.file("f");
    writeFile(path, "own");
    std::string comment(SCRIVLET_MAX_COMMENT, 'c');
    comment[500000] = 'M';
    ASSERT_EQ(cf::replace(path.c_str(), comment, 0), SCRIVLET_OK);
    EXPECT_EQ(readFile(path).size(), 3u + SCRIVLET_MAX_TEXT);
    std::string text;
    EXPECT_EQ(cf::read(path.c_str(), SCRIVLET_MAX_COMMENT, text), SCRIVLET_OK);
    EXPECT_EQ(text, comment);
    ASSERT_EQ(cf::replace(path.c_str(), "short", 0), SCRIVLET_OK);
    EXPECT_EQ(readFile(path), "own#.START.#short#.END.# ");
}

TEST(ReplaceComments, RemovingFromAReadOnlyFileFailsOnlyWhenThereIsABlock)
{
    TempDir dir;
    const std::string bare = dir.file("bare");
    const std::string commented = dir.file("commented");
    writeFile(bare, "no block here");
    writeFile(commented, "own#.START.#x#.END.# ");
    const auto readOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                          std::filesystem::perms::others_read;
    std::filesystem::permissions(bare, readOnly);
    std::filesystem::permissions(commented, readOnly);
    // Root writes read-only files anyway, and so does Wine run by root.
    if (std::ofstream(commented, std::ios::binary | std::ios::app).is_open())
        GTEST_SKIP() << "this user may write read-only files";
    EXPECT_EQ(cf::replace(bare.c_str(), "", SCRIVLET_REPLACE_REMOVE), SCRIVLET_OK);
    EXPECT_EQ(cf::replace(commented.c_str(), "", SCRIVLET_REPLACE_REMOVE), SCRIVLET_E_ACCESS);
    EXPECT_EQ(cf::replace(bare.c_str(), "new", 0), SCRIVLET_E_ACCESS);
    EXPECT_EQ(readFile(bare), "no block here");
    EXPECT_EQ(readFile(commented), "own#.START.#x#.END.# ");
}

struct TimesCase
{
    const char *name;
    std::string comment;
    std::uint32_t flags;
    bool timesKept;
};

void PrintTo(const TimesCase &value, std::ostream *out)
{
    *out << value.name;
}

class ReplaceTimes : public ::testing::TestWithParam<TimesCase>
{
protected:
    TempDir m_dir;
};

TEST_P(ReplaceTimes, ModificationTimeMovesOnlyWhenWrittenWithoutKeepTimes)
{
    const TimesCase &c = GetParam();
    const std::string path = m_dir.file("f");
    writeFile(path, "own#.START.#same#.END.# ");
    ageFile(path);
    ASSERT_EQ(cf::replace(path.c_str(), c.comment, c.flags), SCRIVLET_OK);
    EXPECT_EQ(modificationTimeNs(path) == 1000000000LL * 1000000000LL, c.timesKept);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplaceTimes,
    ::testing::Values(TimesCase{"NewCommentMovesTheTime", "other", 0, false},
                      TimesCase{"KeepTimesKeepsItOnAReplace", "other", SCRIVLET_REPLACE_KEEP_TIMES, true},
                      TimesCase{"KeepTimesKeepsItOnARemove", "",
                                SCRIVLET_REPLACE_KEEP_TIMES | SCRIVLET_REPLACE_REMOVE, true},
                      TimesCase{"TheSameCommentIsNotWritten", "same", 0, true}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

struct LockCase
{
    const char *name;
    FileAccess::Lock held;
    bool reading;
    int status;
};

void PrintTo(const LockCase &value, std::ostream *out)
{
    *out << value.name;
}

class HeldLock : public ::testing::TestWithParam<LockCase>
{
protected:
    void SetUp() override { FileAccess::setLockWait(std::chrono::milliseconds(30)); }
    void TearDown() override { FileAccess::setLockWait(m_wait); }
    std::chrono::milliseconds m_wait = FileAccess::lockWait();
    TempDir m_dir;
};

// Another holder of the lock (here another open of the file) makes a call wait, then give up.
TEST_P(HeldLock, ReadersShareWritersWaitThenGiveUp)
{
    const LockCase &c = GetParam();
    const std::string path = m_dir.file("f");
    const std::string content = "own#.START.#kept#.END.# ";
    writeFile(path, content);
    FileAccess holder;
    ASSERT_EQ(holder.open(path.c_str(), FileAccess::Mode::Read), SCRIVLET_OK);
    ASSERT_EQ(holder.lock(c.held), SCRIVLET_OK);
    if (c.reading) {
        std::string text;
        EXPECT_EQ(cf::read(path.c_str(), 100, text), c.status);
        EXPECT_EQ(text, c.status == SCRIVLET_OK ? "kept" : "");
    } else {
        EXPECT_EQ(cf::replace(path.c_str(), "new", 0), c.status);
        EXPECT_EQ(cf::remove(path.c_str()), c.status);
        EXPECT_EQ(cf::write(path.c_str(), "x"), c.status);
        EXPECT_EQ(cf::erase(path.c_str()), c.status);
        EXPECT_EQ(readFile(path), content);
    }
    holder.close();
    EXPECT_EQ(cf::replace(path.c_str(), "new", 0), SCRIVLET_OK) << "the lock went with its holder";
}

INSTANTIATE_TEST_SUITE_P(
    Table, HeldLock,
    ::testing::Values(LockCase{"ReadBesideAReader", FileAccess::Lock::Shared, true, SCRIVLET_OK},
                      LockCase{"ReadBesideAWriter", FileAccess::Lock::Exclusive, true, SCRIVLET_E_BUSY},
                      LockCase{"ChangeBesideAReader", FileAccess::Lock::Shared, false, SCRIVLET_E_BUSY},
                      LockCase{"ChangeBesideAWriter", FileAccess::Lock::Exclusive, false, SCRIVLET_E_BUSY}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
