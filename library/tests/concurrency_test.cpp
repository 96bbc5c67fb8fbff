// Several programs saving and deleting comments of one file at once: their calls never interleave,
// so the file ends with exactly one block (or none), whoever came last.
#include "driver_comments.h"
#include "driver_process.h"
#include "own_journal_folder.h"
#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

constexpr int kRounds = 200;
constexpr std::size_t kMaxComment = 3000;
const std::string kOwn = "own bytes \x01\xff of the file\n";

std::string withComment(std::uint64_t seed, int round)
{
    return kOwn + SCRIVLET_START_MARKER +
           driver_comments::comment(driver_comments::pool(seed, kMaxComment), seed, 0, round, kMaxComment) +
           SCRIVLET_END_MARKER;
}

// Runs the drivers to their end; each must have succeeded in every call.
void runAll(const std::vector<std::vector<std::string>> &argumentLists)
{
    std::vector<std::unique_ptr<DriverProcess>> drivers;
    for (const auto &arguments : argumentLists)
        drivers.push_back(std::make_unique<DriverProcess>(arguments));
    for (auto &driver : drivers) {
        const int status = driver->wait();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
    }
    const std::vector<std::string> left = otherJournals();
    EXPECT_TRUE(left.empty()) << "a driver that ended normally left its journal behind";
}

TEST(Concurrency, ThreeSettersOfOneFileLeaveExactlyOneBlock)
{
    TempDir dir;
    const OwnJournalFolder journals(dir);
    const std::string path = dir.file("shared");
    writeFile(path, withComment(9, -1));
    std::vector<std::vector<std::string>> drivers;
    std::set<std::string> lastOnes;
    for (const std::uint64_t seed : {1u, 2u, 3u}) {
        drivers.push_back({std::to_string(seed), std::to_string(kRounds), std::to_string(kMaxComment), path});
        lastOnes.insert(withComment(seed, kRounds - 1));
    }
    runAll(drivers);
    EXPECT_EQ(lastOnes.count(readFile(path)), 1u) << readFile(path);
}

struct Deleter
{
    const char *name;
    std::vector<std::string> options;
};

void PrintTo(const Deleter &value, std::ostream *out)
{
    *out << value.name;
}

class SetterAndDeleter : public ::testing::TestWithParam<Deleter>
{
};

TEST_P(SetterAndDeleter, LeaveTheFileWithTheLastCommentOrNone)
{
    TempDir dir;
    const OwnJournalFolder journals(dir);
    const std::string path = dir.file("shared");
    writeFile(path, withComment(9, -1));
    std::vector<std::string> deleter = GetParam().options;
    for (const std::string &argument :
         {std::string("2"), std::to_string(kRounds), std::to_string(kMaxComment), path})
        deleter.push_back(argument);
    runAll({{"1", std::to_string(kRounds), std::to_string(kMaxComment), path}, deleter});
    const std::string now = readFile(path);
    EXPECT_TRUE(now == kOwn || now == withComment(1, kRounds - 1)) << now;
}

INSTANTIATE_TEST_SUITE_P(Table, SetterAndDeleter,
                         ::testing::Values(Deleter{"ReplaceRemoving", {"-r", "1"}},
                                           Deleter{"HistoricDelete", {"-r", "1", "-l"}}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
