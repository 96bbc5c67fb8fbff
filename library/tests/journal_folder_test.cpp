// The journal folder as others may meet it: a scanner taking each journal's lock for a moment
// while journals are being made, and folders that another user could write to or swap.
#include "library/src/comment_file.h"

#include "kill_plan.h"
#include "own_journal_folder.h"
#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace cf = scrivlet::comment_file;

namespace {

const std::string kBefore = "own bytes\n#.START.#" + std::string(2000, 'o') + "#.END.# ";
const std::string kNewComment(6000, 'n');

// Journals are made (one per process) while another process recovers all the time, taking the lock
// of every journal it finds for a moment and removing those whose owner has ended: no change fails
// for it, and every change killed halfway leaves a record that brings its file back.
TEST(JournalFolderRace, AScannerNeitherFailsNorRobsAJournalBeingMade)
{
    TempDir dir;
    const OwnJournalFolder journals(dir);
    const pid_t scanner = ::fork();
    if (scanner == 0) {
        while (true)
            cf::recover({});
    }
    constexpr int kChanges = 240;
    constexpr int kAtOnce = 4;
    std::vector<std::string> paths;
    int refused = 0;
    for (int first = 0; first < kChanges; first += kAtOnce) {
        std::vector<pid_t> changers;
        for (int i = first; i < first + kAtOnce; ++i) {
            paths.push_back(dir.write("file" + std::to_string(i), kBefore));
            const pid_t changer = ::fork();
            if (changer == 0) {
                // Killed while putting back a write that failed halfway. A sibling killed earlier
                // may be settled first by this process; the plan counts from this change's record.
                KillPlan plan{4, 3, 0, kNewComment.size()};
                scrivlet::setChangeHook(&killAtChange, &plan);
                const int status = cf::replace(paths.back().c_str(), kNewComment, 0);
                ::_exit(status == SCRIVLET_OK ? 0 : -status);
            }
            changers.push_back(changer);
        }
        for (const pid_t changer : changers) {
            int status = 0;
            ::waitpid(changer, &status, 0);
            if (!WIFSIGNALED(status)) {
                ++refused;
                ADD_FAILURE() << "a change ended without its kill: "
                              << scrivlet_status_text(-WEXITSTATUS(status));
            }
        }
    }
    ::kill(scanner, SIGKILL);
    ::waitpid(scanner, nullptr, 0);
    cf::recover({});
    int torn = 0;
    for (const std::string &path : paths)
        torn += readFile(path) != kBefore ? 1 : 0;
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(torn, 0) << "files left torn without a record";
}

struct UnsafeFolder
{
    const char *name;
    bool needsRoot;
    // Puts something unsafe at @p folder, the journal folder's path.
    void (*plant)(const std::string &folder);
};

void PrintTo(const UnsafeFolder &value, std::ostream *out)
{
    *out << value.name;
}

class UnsafeJournalFolder : public ::testing::TestWithParam<UnsafeFolder>
{
};

// Another user could delete our records there, or plant records that a recovery would act on: no
// change is made, and recovery names the folder.
TEST_P(UnsafeJournalFolder, IsRefusedWithoutTouchingAFile)
{
    if (GetParam().needsRoot && ::geteuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    TempDir dir;
    const OwnJournalFolder journals(dir);
    const std::string folder = dir.file("scrivlet");
    GetParam().plant(folder);
    const std::string path = dir.write("doc", kBefore);

    EXPECT_EQ(cf::replace(path.c_str(), "new", 0), SCRIVLET_E_UNSAFE);
    EXPECT_EQ(cf::replace(path.c_str(), "", SCRIVLET_REPLACE_REMOVE), SCRIVLET_E_UNSAFE);
    EXPECT_EQ(readFile(path), kBefore);
    std::vector<std::pair<std::string, int>> reported;
    EXPECT_EQ(
        cf::recover([&reported](const std::string &at, int outcome) { reported.emplace_back(at, outcome); }),
        SCRIVLET_E_UNSAFE);
    EXPECT_EQ(reported, (std::vector<std::pair<std::string, int>>{{folder, SCRIVLET_E_UNSAFE}}));
    EXPECT_TRUE(otherJournals().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnsafeJournalFolder,
    ::testing::Values(UnsafeFolder{"WritableByOthers", false,
                                   [](const std::string &folder) {
                                       ::mkdir(folder.c_str(), 0700);
                                       ::chmod(folder.c_str(), 0777);
                                   }},
                      // A folder that would pass every check (it is this user's, root's when run as
                      // root): only refusing to follow the link keeps the journals out of it.
                      UnsafeFolder{"SymlinkToASafeFolder", false,
                                   [](const std::string &folder) {
                                       ::mkdir((folder + "-target").c_str(), 0700);
                                       if (::symlink((folder + "-target").c_str(), folder.c_str()) != 0)
                                           ADD_FAILURE() << "symlink failed";
                                   }},
                      UnsafeFolder{"OwnedByAnotherUser", true,
                                   [](const std::string &folder) {
                                       ::mkdir(folder.c_str(), 0700);
                                       if (::chown(folder.c_str(), 65534, 65534) != 0)
                                           ADD_FAILURE() << "chown failed";
                                   }}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
