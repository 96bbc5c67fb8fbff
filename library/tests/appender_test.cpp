// A program that appends to a file without locking (a log writer) while a comment is replaced:
// its bytes are never written over or cut off, and such a change is never reported as saved.
#include "library/src/comment_file.h"
#include "library/src/file_access.h"

#include "own_journal_folder.h"
#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <ostream>
#include <string>
#include <thread>

namespace cf = scrivlet::comment_file;
using scrivlet::FileChange;

namespace {

std::string block(const std::string &comment)
{
    return "#.START.#" + comment + "#.END.# ";
}

std::string line(int number)
{
    char text[32];
    std::snprintf(text, sizeof text, "LINE %06d\n", number);
    return text;
}

// Appends as a log writer does: its own descriptor in append mode, no lock.
void appendLine(const std::string &path, int number)
{
    std::FILE *file = std::fopen(path.c_str(), "ab");
    ASSERT_NE(file, nullptr);
    const std::string text = line(number);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

const std::string kOwn = "own bytes\n";
const std::string kShort(100, 's');
const std::string kLong(3000, 'l');

struct AppendCase
{
    const char *name;
    std::string comment;
    std::uint32_t flags;
    int appendAt; ///< the change (1 is the journal record) before which the line is appended
    std::string after;
};

void PrintTo(const AppendCase &value, std::ostream *out)
{
    *out << value.name;
}

class AppendedMeanwhile : public ::testing::TestWithParam<AppendCase>
{
protected:
    TempDir m_dir;
    OwnJournalFolder m_journals{m_dir};
    std::string m_path = m_dir.file("log");
};

struct Appender
{
    std::string path;
    int appendAt = 0;
    int count = 0;
};

TEST_P(AppendedMeanwhile, KeepsTheNewBytesAndReportsTheChange)
{
    const AppendCase &c = GetParam();
    writeFile(m_path, kOwn + block(kShort));
    Appender appender{m_path, c.appendAt};
    scrivlet::setChangeHook(
        [](FileChange, std::size_t &, void *context) {
            auto &a = *static_cast<Appender *>(context);
            if (++a.count == a.appendAt)
                appendLine(a.path, 1);
            return 0;
        },
        &appender);
    const int status = cf::replace(m_path.c_str(), c.comment, c.flags);
    scrivlet::setChangeHook(nullptr, nullptr);
    EXPECT_EQ(status, SCRIVLET_E_CHANGED);
    EXPECT_EQ(readFile(m_path), c.after);
}

const AppendCase kAppendCases[] = {
    // A longer block: 1 record, 2 reservation, 3 write over the old block, 4 the rest appended.
    {"BeforeTheReservation", kLong, 0, 2, kOwn + block(kShort) + line(1)},
    {"BeforeTheWriteOverTheOldBlock", kLong, 0, 3, kOwn + block(kShort) + line(1)},
    // The check just before the append has passed: the rest lands behind the line, which stays.
    {"BeforeTheRestIsAppended", kLong, 0, 4,
     kOwn + block(kLong).substr(0, block(kShort).size()) + line(1) +
         block(kLong).substr(block(kShort).size())},
    // A shorter block: 1 record, 2 write, (the size checked again) 3 cut.
    {"BeforeAShorterBlockIsWritten", "x", 0, 2, kOwn + block(kShort) + line(1)},
    // A removal: 1 record, (the size checked again) 2 cut.
    {"BeforeARemoval", "", SCRIVLET_REPLACE_REMOVE, 1, kOwn + block(kShort) + line(1)},
};

INSTANTIATE_TEST_SUITE_P(Table, AppendedMeanwhile, ::testing::ValuesIn(kAppendCases),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

// A writer appending numbered lines on its own thread while comments of growing length are saved:
// every line stays whole and in order; once it stops, saving succeeds again.
TEST(Appender, LinesSurviveReplacesAndAnIdleFileIsSaved)
{
    TempDir dir;
    OwnJournalFolder journals{dir};
    const std::string path = dir.file("log");
    writeFile(path, kOwn);
    constexpr int kLines = 1000;
    std::atomic<int> written{0};
    std::thread writer([&] {
        std::FILE *file = std::fopen(path.c_str(), "ab");
        ASSERT_NE(file, nullptr);
        std::setvbuf(file, nullptr, _IONBF, 0); // one write per line, as a log writer flushes
        for (; written < kLines; ++written) {
            const std::string text = line(written);
            std::fwrite(text.data(), 1, text.size(), file);
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
        std::fclose(file);
    });
    // Ever longer comments: no change needs a cut (see docs/reliability.md for what a cut risks).
    int saved = 0;
    int changed = 0;
    for (std::size_t i = 0; written < kLines; ++i) {
        const int status = cf::replace(path.c_str(), std::string(10 + i, 'c'), 0);
        ASSERT_TRUE(status == SCRIVLET_OK || status == SCRIVLET_E_CHANGED) << scrivlet_status_text(status);
        (status == SCRIVLET_OK ? saved : changed) += 1;
    }
    writer.join();

    const std::string bytes = readFile(path);
    std::size_t from = 0;
    for (int n = 0; n < kLines; ++n) {
        const std::size_t at = bytes.find(line(n), from);
        ASSERT_NE(at, std::string::npos) << "line " << n << " lost or mangled";
        from = at + line(n).size();
    }
    EXPECT_EQ(cf::replace(path.c_str(), "idle", 0), SCRIVLET_OK);
    std::string text;
    EXPECT_EQ(cf::read(path.c_str(), 100, text), SCRIVLET_OK);
    EXPECT_EQ(text, "idle");
    RecordProperty("saved", saved);
    RecordProperty("changed", changed);
}

} // namespace
