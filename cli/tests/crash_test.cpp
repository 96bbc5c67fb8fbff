// scriv stopped in the middle of saving large comments over many files, by SIGKILL, SIGINT or
// SIGTERM at random moments. After a recovery run every file must be its own bytes followed by
// its old block, the new block, or (for a file that had none) nothing: never a torn block, never
// two, never a lost comment. A deferred signal must also tell exactly how many files were done.
#include "scriv_runner.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <regex>
#include <sys/wait.h>
#include <thread>

using namespace scrivlet;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFiles = 40;
constexpr int kStopsWanted = 24;
constexpr auto kTimeBudget = std::chrono::seconds(40);
constexpr std::size_t kLargestComment = 999983;

struct TrackedFile
{
    std::string path;
    std::string content;
    std::string block; // empty: no block
};

std::string block(const std::string &text)
{
    return "#.START.#" + text + "#.END.# ";
}

// A comment without '#', so it can hold no marker; mostly large, sometimes small or empty.
std::string randomComment(std::mt19937 &rng)
{
    static const std::string alphabet = "abcdefghijklmnopqrstuvwxyz ABCXYZ0123456789.,;:!?-\r\n";
    std::uniform_int_distribution<int> kind(0, 9);
    const int k = kind(rng);
    const std::size_t size = k == 0  ? 0
                             : k < 3 ? std::uniform_int_distribution<std::size_t>(1, 2000)(rng)
                             : k < 9
                                 ? std::uniform_int_distribution<std::size_t>(200000, kLargestComment)(rng)
                                 : kLargestComment;
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text(size, ' ');
    for (char &c : text)
        c = alphabet[pick(rng)];
    // A final line break of the comment file would be left out; this one has none.
    if (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.back() = '.';
    return text;
}

// File content of random bytes that carries no marker of its own, so its block is unambiguous.
std::string randomContent(std::mt19937 &rng)
{
    std::uniform_int_distribution<std::size_t> size(0, 20000);
    std::uniform_int_distribution<int> byte(0, 255);
    for (;;) {
        std::string content(size(rng), '\0');
        for (char &c : content)
            c = static_cast<char>(byte(rng));
        if (content.find("#.START.#") == std::string::npos && content.find("#.END.# ") == std::string::npos)
            return content;
    }
}

// The clock picks the seed unless SCRIVLET_TEST_SEED gives one, so a failing run can be replayed.
unsigned chosenSeed()
{
    if (const char *given = std::getenv("SCRIVLET_TEST_SEED"); given != nullptr && *given != '\0')
        return static_cast<unsigned>(std::stoul(given));
    return static_cast<unsigned>(Clock::now().time_since_epoch().count());
}

class CrashSafety : public testing::Test
{
protected:
    void SetUp() override
    {
        const unsigned seed = chosenSeed();
        RecordProperty("seed", std::to_string(seed));
        std::cout << "crash test seed " << seed << " (run again with SCRIVLET_TEST_SEED=" << seed << ")\n";
        m_rng.seed(seed);
        std::bernoulli_distribution commented(0.5);
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = "file" + std::to_string(i) + ".bin";
            TrackedFile file{m_dir.file(name), randomContent(m_rng), {}};
            if (commented(m_rng))
                file.block = block(randomComment(m_rng));
            m_dir.write(name, file.content + file.block);
            m_files.push_back(std::move(file));
        }
    }

    std::vector<std::string> setArguments(const std::string &comment)
    {
        const std::string source = m_dir.write("comment.txt", comment);
        std::vector<std::string> arguments{"set", "-F", source};
        for (const TrackedFile &file : m_files)
            arguments.push_back(file.path);
        return arguments;
    }

    // Checks every file against its allowed states and records the state it is in. Gives, per file
    // in argument order, whether it still holds its old block (which may equal the new one); false
    // when a file is in neither state.
    bool verify(const std::string &newBlock, int round, const char *how, std::vector<bool> &keptOld)
    {
        keptOld.clear();
        for (TrackedFile &file : m_files) {
            const std::string now = readFile(file.path);
            const bool old = now == file.content + file.block;
            if (!old && now != file.content + newBlock) {
                const bool prefixKept = now.compare(0, file.content.size(), file.content) == 0;
                ADD_FAILURE() << file.path << " after round " << round << " (" << how << "): " << now.size()
                              << " bytes, content of " << file.content.size() << " bytes "
                              << (prefixKept ? "kept" : "damaged") << ", followed by neither its old block ("
                              << file.block.size() << " bytes) nor the new one (" << newBlock.size() << ")";
                return false;
            }
            keptOld.push_back(old);
            file.block = old ? file.block : newBlock;
        }
        return true;
    }

    // Whether exactly the first @p done files took the new block (a file whose old block equals
    // the new one counts either way).
    bool firstDone(std::size_t done, const std::vector<bool> &keptOld, const std::string &newBlock) const
    {
        for (std::size_t i = 0; i < m_files.size(); ++i) {
            const bool holdsNew = m_files[i].block == newBlock;
            if (i < done ? !holdsNew : !keptOld[i])
                return false;
        }
        return true;
    }

    TempDir m_dir;
    std::mt19937 m_rng;
    std::vector<TrackedFile> m_files;
};

TEST_F(CrashSafety, StoppedSavesLeaveEveryFileWholeWithItsOldOrNewBlock)
{
    const auto started = Clock::now();

    // One uninterrupted run: it must finish, and it tells how long a whole run takes.
    std::string comment = randomComment(m_rng);
    const auto runStart = Clock::now();
    const auto whole = ScrivRunner::run(setArguments(comment));
    const auto runTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - runStart);
    ASSERT_EQ(whole.exitCode, 0) << whole.err;
    std::vector<bool> keptOld;
    ASSERT_TRUE(verify(block(comment), 0, "uninterrupted", keptOld));
    ASSERT_TRUE(firstDone(kFiles, keptOld, block(comment)));

    const std::regex doneCount(R"(stopped by SIG(INT|TERM): (\d+) of (\d+) files done)");
    const int signals[] = {SIGKILL, SIGINT, SIGTERM};
    std::uniform_int_distribution<long long> moment(0, runTime.count());
    std::uniform_int_distribution<int> whichSignal(0, 2);
    int stops = 0;
    int round = 0;
    while (stops < kStopsWanted && Clock::now() - started < kTimeBudget) {
        ++round;
        comment = randomComment(m_rng);
        const int signal = signals[whichSignal(m_rng)];
        ScrivRunner::Started child = ScrivRunner::start(setArguments(comment));
        ASSERT_GT(child.pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(m_rng)));
        ::kill(child.pid, signal);
        const auto result = ScrivRunner::wait(child);

        const auto recovered = ScrivRunner::run({"recover"});
        EXPECT_EQ(recovered.exitCode, 0) << recovered.err;

        if (!verify(block(comment), round, strsignal(signal), keptOld))
            return;

        if (result.signal == SIGKILL) {
            ++stops;
        } else if (result.exitCode == 128 + signal) {
            ++stops;
            std::smatch match;
            ASSERT_TRUE(std::regex_search(result.err, match, doneCount)) << result.err;
            EXPECT_TRUE(firstDone(std::stoul(match[2]), keptOld, block(comment))) << result.err;
            EXPECT_EQ(std::stoi(match[3]), kFiles);
        } else {
            // The signal came too late (or before the handlers were in place).
            EXPECT_TRUE(result.exitCode == 0 || result.signal == signal) << result.exitCode << result.err;
            if (result.exitCode == 0) {
                EXPECT_TRUE(firstDone(kFiles, keptOld, block(comment)));
            }
        }
    }
    std::cout << "crash test: " << stops << " stops in " << round << " rounds, whole run "
              << runTime.count() / 1000 << " ms\n";
    EXPECT_GE(stops, kStopsWanted / 2) << "too few runs were stopped before they finished";
}

} // namespace
