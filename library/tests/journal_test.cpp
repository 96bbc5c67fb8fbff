// Undo journals: a process killed in the middle of a replace leaves a record behind, and the next
// recovery settles it exactly once, or leaves the file alone when it is no longer the one the
// record describes. The killed process is a forked child stopped by SIGKILL at a chosen write (on
// Windows the program killed_replace, ending itself with TerminateProcess).
#include "library/src/comment_file.h"
#include "library/src/file_access.h"
#include "library/src/journal_folder.h"
#include "library/src/journal_record.h"
#include "library/src/journal_set.h"

#include "kill_plan.h"
#include "own_journal_folder.h"
#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace cf = scrivlet::comment_file;
using scrivlet::FileAccess;
using scrivlet::FileChange;
using scrivlet::JournalRecord;

namespace {

// Runs a replace of @p path in a child process (in @p folder, when given) with @p plan, killing it
// at the latest when the replace is done; tells whether the child died of the kill.
#ifdef _WIN32
bool killedWhile(KillPlan plan, const std::string &path, const std::string &comment, std::uint32_t flags,
                 const std::string &folder = {})
{
    TempDir scratch;
    const std::string commentFile = scratch.file("comment");
    writeFile(commentFile, comment);
    // The program lies beside this one.
    char self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string program =
        std::filesystem::path(std::string(self, length)).replace_filename("killed_replace.exe").string();
    std::string command = "\"" + program + "\" " + std::to_string(plan.killAt) + " " +
                          std::to_string(plan.failAt) + " " + std::to_string(flags) + " \"" + path + "\" \"" +
                          commentFile + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &child)) {
        ADD_FAILURE() << command << ": error " << ::GetLastError();
        return false;
    }
    ::WaitForSingleObject(child.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(child.hProcess, &code);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
    EXPECT_EQ(code, kKilledExitCode) << command;
    return code == kKilledExitCode;
}
#else
bool killedWhile(KillPlan plan, const std::string &path, const std::string &comment, std::uint32_t flags,
                 const std::string &folder = {})
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (!folder.empty() && ::chdir(folder.c_str()) != 0)
            ::_exit(2);
        scrivlet::setChangeHook(&killAtChange, &plan);
        cf::replace(path.c_str(), comment, flags);
        killThisProcess();
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}
#endif

using Outcomes = std::vector<std::pair<std::string, int>>;

// A path as the system would spell it, so that paths made absolute by the library compare.
std::string spelled(const std::string &path)
{
    return std::filesystem::path(path).make_preferred().lexically_normal().string();
}

Outcomes recoverAll(int *status = nullptr)
{
    Outcomes outcomes;
    const int result = cf::recover(
        [&outcomes](const std::string &path, int outcome) { outcomes.emplace_back(path, outcome); });
    if (status != nullptr)
        *status = result;
    return outcomes;
}

std::vector<std::string> journals()
{
    return otherJournals();
}

std::string block(const std::string &comment)
{
    return "#.START.#" + comment + "#.END.# ";
}

const std::string kOwn = "own bytes\n";
const std::string kOldComment(2000, 'o');
const std::string kNewComment(6000, 'n');
const std::string kShortComment = "short";

struct KillCase
{
    const char *name;
    std::string comment;
    std::uint32_t flags;
    KillPlan plan;
    int outcome; // 0: nothing to report
    std::string after;
};

void PrintTo(const KillCase &value, std::ostream *out)
{
    *out << value.name;
}

class KilledReplace : public ::testing::TestWithParam<KillCase>
{
protected:
    TempDir m_dir;
    OwnJournalFolder m_journals{m_dir};
    std::string m_path = m_dir.file("doc");
    std::string m_before = kOwn + block(kOldComment);
};

TEST_P(KilledReplace, IsSettledExactlyOnce)
{
    const KillCase &c = GetParam();
    writeFile(m_path, m_before);
    ASSERT_TRUE(killedWhile(c.plan, m_path, c.comment, c.flags));
    if (c.outcome == SCRIVLET_RECOVERED_RESTORED) {
        const std::string torn = readFile(m_path);
        EXPECT_NE(torn, m_before);
        EXPECT_NE(torn, c.after);
    }

    int status = SCRIVLET_E_IO;
    const Outcomes first = recoverAll(&status);
    EXPECT_EQ(status, SCRIVLET_OK);
    if (c.outcome == 0) {
        EXPECT_TRUE(first.empty());
    } else {
        EXPECT_EQ(first, (Outcomes{{m_path, c.outcome}}));
    }
    EXPECT_EQ(readFile(m_path), c.after);
    EXPECT_TRUE(journals().empty()) << "a settled journal is removed";
    EXPECT_TRUE(recoverAll().empty()) << "a second recovery finds nothing";
    EXPECT_EQ(readFile(m_path), c.after);
}

const KillCase kKillCases[] = {
    // A longer comment: 1 journal record, 2 reservation, 3 write over the old block, 4 the rest
    // appended, 5 done mark.
    {"BeforeTheRecord", kNewComment, 0, {1, 0}, 0, kOwn + block(kOldComment)},
    {"WithinTheRecord", kNewComment, 0, {2, 1}, 0, kOwn + block(kOldComment)},
    {"BeforeTheFileIsTouched",
     kNewComment,
     0,
     {2, 0},
     SCRIVLET_RECOVERED_UNTOUCHED,
     kOwn + block(kOldComment)},
    {"HalfwayThroughTheNewBlock",
     kNewComment,
     0,
     {5, 4},
     SCRIVLET_RECOVERED_RESTORED,
     kOwn + block(kOldComment)},
    {"BeforeTheDoneMark", kNewComment, 0, {5, 0}, SCRIVLET_RECOVERED_FINISHED, kOwn + block(kNewComment)},
    // A shorter comment: 1 record, 2 write, 3 cut, 4 done mark.
    {"HalfwayThroughAShorterBlock",
     kShortComment,
     0,
     {3, 2},
     SCRIVLET_RECOVERED_RESTORED,
     kOwn + block(kOldComment)},
    {"BeforeTheCut", kShortComment, 0, {3, 0}, SCRIVLET_RECOVERED_RESTORED, kOwn + block(kOldComment)},
    {"AfterTheCut", kShortComment, 0, {4, 0}, SCRIVLET_RECOVERED_FINISHED, kOwn + block(kShortComment)},
    {"WithSync",
     kShortComment,
     SCRIVLET_REPLACE_SYNC,
     {3, 0},
     SCRIVLET_RECOVERED_RESTORED,
     kOwn + block(kOldComment)},
    // A removal: 1 record, 2 cut, 3 done mark.
    {"BeforeARemovingCut",
     "",
     SCRIVLET_REPLACE_REMOVE,
     {2, 0},
     SCRIVLET_RECOVERED_UNTOUCHED,
     kOwn + block(kOldComment)},
    {"AfterARemovingCut", "", SCRIVLET_REPLACE_REMOVE, {3, 0}, SCRIVLET_RECOVERED_FINISHED, kOwn},
};

INSTANTIATE_TEST_SUITE_P(Table, KilledReplace, ::testing::ValuesIn(kKillCases),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

class Journal : public ::testing::Test
{
protected:
    // Leaves a replace of m_path killed halfway through writing its new block.
    void plantTornReplace()
    {
        writeFile(m_path, m_before);
        ASSERT_TRUE(killedWhile({4, 3}, m_path, kNewComment, 0));
        ASSERT_NE(readFile(m_path), m_before);
        ASSERT_EQ(journals().size(), 1u);
    }

    TempDir m_dir;
    OwnJournalFolder m_journals{m_dir};
    std::string m_path = m_dir.file("doc");
    std::string m_before = kOwn + block(kOldComment);
};

// The file at the record's path is not the record's (an editor saved a new file under the name, or
// the file is gone): the record is kept and reported at every recovery, since the file may only
// have moved, until it is dropped on request.
TEST_F(Journal, ARecordWhoseFileIsNotAtItsPathIsKeptUntilDiscarded)
{
    plantTornReplace();
    const std::string replacement = m_dir.file("doc.new");
    writeFile(replacement, "a new file of the same length, more or less");
    std::filesystem::rename(replacement, m_path);

    int status = SCRIVLET_OK;
    EXPECT_EQ(recoverAll(&status), (Outcomes{{m_path, SCRIVLET_E_NOENT}}));
    EXPECT_EQ(status, SCRIVLET_E_NOENT);
    ASSERT_TRUE(std::filesystem::remove(m_path));
    EXPECT_EQ(recoverAll(), (Outcomes{{m_path, SCRIVLET_E_NOENT}})) << "kept and reported again";
    EXPECT_FALSE(exists(m_path)) << "recovery creates no file";

    Outcomes dropped;
    EXPECT_EQ(
        cf::settle(m_path.c_str(), true,
                   [&dropped](const std::string &path, int outcome) { dropped.emplace_back(path, outcome); }),
        SCRIVLET_OK);
    EXPECT_EQ(dropped, (Outcomes{{m_path, SCRIVLET_RECOVERED_DISCARDED}}));
    EXPECT_TRUE(recoverAll().empty());
    EXPECT_TRUE(journals().empty());
}

// A change made with a path relative to the folder it ran in is recovered from any other folder;
// once that folder is renamed, the record is kept until the file is named where it is now.
TEST_F(Journal, ARecordFindsItsFileFromAnyFolderAndByInodeOnceMoved)
{
    const std::string folder = m_dir.file("docs");
    const std::string path = spelled(folder + "/a");
    std::filesystem::create_directory(folder);
    for (const bool moved : {false, true}) {
        SCOPED_TRACE(moved ? "folder renamed" : "folder kept");
        writeFile(path, m_before);
        ASSERT_TRUE(killedWhile({4, 3}, "a", kNewComment, 0, folder));
        ASSERT_NE(readFile(path), m_before);
        Outcomes outcomes;
        const scrivlet::recovery::Report collect = [&outcomes](const std::string &at, int outcome) {
            outcomes.emplace_back(spelled(at), outcome);
        };
        if (moved) {
            const std::string elsewhere = m_dir.file("moved");
            std::filesystem::rename(folder, elsewhere);
            cf::recover(collect);
            EXPECT_EQ(outcomes, (Outcomes{{path, SCRIVLET_E_NOENT}})) << "kept";
            EXPECT_EQ(cf::settle((elsewhere + "/a").c_str(), false, collect), SCRIVLET_OK);
            EXPECT_EQ(outcomes.back(), (std::pair<std::string, int>{path, SCRIVLET_RECOVERED_RESTORED}));
            EXPECT_EQ(readFile(elsewhere + "/a"), m_before);
        } else {
            cf::recover(collect);
            EXPECT_EQ(outcomes, (Outcomes{{path, SCRIVLET_RECOVERED_RESTORED}}));
            EXPECT_EQ(readFile(path), m_before);
        }
        EXPECT_TRUE(recoverAll().empty());
    }
}

// A record failing its checksum with an unfinished one behind it was not torn by a kill: the
// journal is set aside for a look and reported at every recovery; the sound record is settled.
TEST_F(Journal, ADamagedJournalIsSetAsideAndListed)
{
    plantTornReplace();
    const std::string journal = journals().at(0);
    const std::string record = readFile(journal);
    std::string damaged = record;
    damaged[JournalRecord::kHeaderSize + 3] ^= 0x20; // a byte of the recorded path
    writeFile(journal, damaged + record);

    const auto spelledAll = [](Outcomes outcomes) {
        for (auto &[path, outcome] : outcomes)
            path = spelled(path);
        return outcomes;
    };
    const std::string aside = spelled(journal + ".bad");
    EXPECT_EQ(spelledAll(recoverAll()),
              (Outcomes{{spelled(m_path), SCRIVLET_RECOVERED_RESTORED}, {aside, SCRIVLET_E_JOURNAL}}));
    EXPECT_EQ(readFile(m_path), m_before);
    EXPECT_TRUE(journals().empty());
    EXPECT_EQ(spelledAll(recoverAll()), (Outcomes{{aside, SCRIVLET_E_JOURNAL}})) << "listed until removed";
}

TEST_F(Journal, ARecordWhoseFileChangedSinceIsReportedOnceAndLeftAlone)
{
    plantTornReplace();
    const std::string changed = readFile(m_path) + "appended by a log writer";
    writeFile(m_path, changed); // same inode: written in place
    EXPECT_EQ(recoverAll(), (Outcomes{{m_path, SCRIVLET_E_CHANGED}}));
    EXPECT_EQ(readFile(m_path), changed);
    EXPECT_TRUE(recoverAll().empty());
}

TEST_F(Journal, TheNextReplaceOfAnyFileSettlesItFirst)
{
    plantTornReplace();
    const std::string other = m_dir.file("other");
    writeFile(other, "other");
    ASSERT_EQ(cf::replace(other.c_str(), "x", 0), SCRIVLET_OK);
    EXPECT_EQ(readFile(m_path), m_before);
    EXPECT_TRUE(recoverAll().empty());
}

TEST_F(Journal, AReplaceOfTheSameFileBuildsOnTheRestoredBytes)
{
    plantTornReplace();
    ASSERT_EQ(cf::replace(m_path.c_str(), "third", 0), SCRIVLET_OK);
    EXPECT_EQ(readFile(m_path), kOwn + block("third"));
    EXPECT_TRUE(recoverAll().empty());
}

// The lock on a journal can outlive its process for a moment (or be held by another process
// that shares the open file): its record for a file whose lock is free is settled all the same.
TEST_F(Journal, ARecordOfAFileWhoseLockIsFreeIsSettledWhateverItsJournalsLockSays)
{
    plantTornReplace();
    FileAccess journal;
    ASSERT_EQ(journal.open(journals().at(0).c_str(), FileAccess::Mode::Read), SCRIVLET_OK);
    ASSERT_EQ(journal.lock(FileAccess::Lock::Exclusive), SCRIVLET_OK);
    EXPECT_TRUE(recoverAll().empty()) << "a journal that looks in use is not recovered";

    const std::string unrelated = m_dir.file("unrelated");
    writeFile(unrelated, "unrelated");
    ASSERT_EQ(cf::replace(unrelated.c_str(), "x", 0), SCRIVLET_OK);
    EXPECT_NE(readFile(m_path), m_before) << "only the file in hand is settled";

    ASSERT_EQ(cf::replace(m_path.c_str(), "third", 0), SCRIVLET_OK);
    EXPECT_EQ(readFile(m_path), kOwn + block("third"));
    journal.close();
    EXPECT_TRUE(recoverAll().empty()) << "the record was marked settled";
}

// A change that fails and cannot even be undone (the disk keeps failing) keeps its record in the
// process's own journal; a recovery in the same process puts the prior bytes back.
TEST_F(Journal, ARecordThatCouldNotBeUndoneIsSettledByTheNextRecovery)
{
    writeFile(m_path, m_before);
    struct Failing
    {
        int count = 0;
    } failing;
    scrivlet::setChangeHook(
        [](FileChange, std::size_t &bytes, void *context) {
            // The record, the reservation and the write over the old block go through; then every
            // write fails halfway.
            if (++static_cast<Failing *>(context)->count < 4)
                return 0;
            bytes /= 2;
            return EIO;
        },
        &failing);
    EXPECT_EQ(cf::replace(m_path.c_str(), kNewComment, 0), SCRIVLET_E_IO);
    scrivlet::setChangeHook(nullptr, nullptr);
    EXPECT_NE(readFile(m_path), m_before) << "the undo failed too";

    EXPECT_EQ(recoverAll(), (Outcomes{{m_path, SCRIVLET_RECOVERED_RESTORED}}));
    EXPECT_EQ(readFile(m_path), m_before);
    EXPECT_TRUE(recoverAll().empty());
}

struct Corruption
{
    const char *name;
    std::function<void(std::string &)> spoil;
};

void PrintTo(const Corruption &value, std::ostream *out)
{
    *out << value.name;
}

class TornRecord : public ::testing::TestWithParam<Corruption>
{
};

TEST_P(TornRecord, IsNotTakenForARecord)
{
    JournalRecord record;
    record.path = "/some/file";
    record.identity = {7, 42};
    record.offset = 100;
    record.before = block("old");
    record.priorLength = record.offset + record.before.size();
    record.after = block("new comment");
    std::string bytes = record.encode();
    const auto whole = JournalRecord::decode(bytes);
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(whole->after, record.after);
    EXPECT_EQ(whole->identity, record.identity);
    GetParam().spoil(bytes);
    EXPECT_FALSE(JournalRecord::decode(bytes).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Table, TornRecord,
    ::testing::Values(
        Corruption{"CutShort", [](std::string &b) { b.resize(b.size() - 1); }},
        Corruption{"OnlyTheHeader", [](std::string &b) { b.resize(JournalRecord::kHeaderSize); }},
        Corruption{"LastByteStale", [](std::string &b) { b.back() = 'x'; }},
        Corruption{"PathByteStale", [](std::string &b) { b[JournalRecord::kHeaderSize] = 'X'; }},
        Corruption{"SizeFieldStale", [](std::string &b) { b[24] = static_cast<char>(b[24] + 1); }},
        Corruption{"Zeros", [](std::string &b) { b.assign(b.size(), '\0'); }}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
