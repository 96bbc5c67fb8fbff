// A program saving comments of up to 999,983 bytes into many files is stopped at random moments
// by SIGKILL, SIGINT or SIGTERM (none of which it handles). After a recovery every file must hold
// its own bytes followed by the block of the comment it held before the interrupted call, or of
// the one that call was writing, or nothing when that call removed the comment. Losing the old
// comment is not allowed.
#include "library/src/comment_file.h"

#include "driver_comments.h"
#include "driver_process.h"
#include "own_journal_folder.h"
#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace cf = scrivlet::comment_file;

namespace {

constexpr int kFiles = 8;
constexpr int kRuns = 8;
constexpr int kRemoveEvery = 5;
constexpr std::size_t kMaxComment = SCRIVLET_MAX_COMMENT;

struct Stop
{
    const char *name;
    int signal;
};

void PrintTo(const Stop &value, std::ostream *out)
{
    *out << value.name;
}

// Own bytes of every kind but '#', so that no marker hides in them.
std::string ownBytes(std::mt19937 &random)
{
    std::uniform_int_distribution<int> length(0, 6000);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(static_cast<std::size_t>(length(random)), '\0');
    for (char &b : bytes) {
        b = static_cast<char>(byte(random));
        if (b == '#')
            b = '.';
    }
    return bytes;
}

std::string stateAfter(const std::string &pool, const std::string &own, std::uint64_t seed, int file,
                       int round)
{
    if (driver_comments::removes(seed, file, round, kRemoveEvery))
        return own;
    return own + SCRIVLET_START_MARKER + driver_comments::comment(pool, seed, file, round, kMaxComment) +
           SCRIVLET_END_MARKER;
}

class StoppedSaver : public ::testing::TestWithParam<Stop>
{
protected:
    TempDir m_dir;
    OwnJournalFolder m_journals{m_dir};
};

TEST_P(StoppedSaver, LeavesEveryFileWithItsOldOrNewCommentAfterRecovery)
{
    const Stop &stop = GetParam();
    std::mt19937 random(static_cast<unsigned>(stop.signal) * 7919u + 1u);
    std::uniform_int_distribution<int> delayMs(20, 250);
    int interruptedCalls = 0;
    std::map<int, int> outcomes;
    for (int run = 0; run < kRuns; ++run) {
        const std::uint64_t seed =
            static_cast<std::uint64_t>(stop.signal) * 1000u + static_cast<unsigned>(run);
        SCOPED_TRACE(::testing::Message() << "run " << run << ", seed " << seed);
        const std::string pool = driver_comments::pool(seed, kMaxComment);
        std::vector<std::string> paths;
        std::vector<std::string> own;
        std::vector<std::string> arguments = {"-r", std::to_string(kRemoveEvery), std::to_string(seed),
                                              "1000000", std::to_string(kMaxComment)};
        for (int file = 0; file < kFiles; ++file) {
            paths.push_back(m_dir.file("run" + std::to_string(run) + "-file" + std::to_string(file)));
            own.push_back(ownBytes(random));
            writeFile(paths.back(), stateAfter(pool, own.back(), seed, file, -1));
            arguments.push_back(paths.back());
        }

        DriverProcess driver(arguments);
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        driver.signal(stop.signal);
        const int status = driver.wait();
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == stop.signal) << "wait status " << status;
        const std::vector<DriverProgress> progress = progressOf(driver.output(), kFiles);

        EXPECT_EQ(cf::recover([&](const std::string &, int outcome) { ++outcomes[outcome]; }), SCRIVLET_OK);
        for (int file = 0; file < kFiles; ++file) {
            const DriverProgress &p = progress[static_cast<std::size_t>(file)];
            const std::string &mine = own[static_cast<std::size_t>(file)];
            const std::string now = readFile(paths[static_cast<std::size_t>(file)]);
            const bool old = now == stateAfter(pool, mine, seed, file, p.lastDone);
            const bool fresh = p.interrupted >= 0 && now == stateAfter(pool, mine, seed, file, p.interrupted);
            EXPECT_TRUE(old || fresh)
                << "file " << file << " after round " << p.lastDone
                << (p.interrupted >= 0 ? " with round " + std::to_string(p.interrupted) + " interrupted"
                                       : std::string())
                << ": " << now.size() << " bytes, not one of the allowed states";
            interruptedCalls += p.interrupted >= 0 ? 1 : 0;
        }
        for (const std::string &path : paths)
            std::remove(path.c_str());
    }
    // The stops must have caught calls in the middle, or the run proved little.
    EXPECT_GT(interruptedCalls, 0);
    std::printf("%d interrupted calls; recovery: %d restored, %d finished, %d untouched\n", interruptedCalls,
                outcomes[SCRIVLET_RECOVERED_RESTORED], outcomes[SCRIVLET_RECOVERED_FINISHED],
                outcomes[SCRIVLET_RECOVERED_UNTOUCHED]);
}

INSTANTIATE_TEST_SUITE_P(Signals, StoppedSaver,
                         ::testing::Values(Stop{"SIGKILL", SIGKILL}, Stop{"SIGINT", SIGINT},
                                           Stop{"SIGTERM", SIGTERM}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
