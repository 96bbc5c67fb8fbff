// scriv killed with SIGKILL in the middle of saving over many files: no file may lose a byte.
// Afterwards each file is its own content followed by nothing, by its old block or by the new one.
#include "scriv_runner.h"
#include "temp_folder.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <sys/wait.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFiles = 300;
constexpr int kKillsWanted = 25;
constexpr auto kTimeBudget = std::chrono::seconds(45);

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

std::string randomBytes(std::mt19937 &rng, std::size_t size)
{
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(byte(rng));
    return bytes;
}

// A comment of printable characters and line breaks, free of markers.
std::string randomComment(std::mt19937 &rng)
{
    static const std::string alphabet = "abcdefghijklmnopqrstuvwxyz ABCXYZ0123456789.,;:!?-\r\n";
    std::uniform_int_distribution<std::size_t> length(0, 1500);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text(length(rng), ' ');
    for (char &c : text)
        c = alphabet[pick(rng)];
    return text;
}

// File content that carries no marker of its own, so its block is unambiguous.
std::string randomContent(std::mt19937 &rng)
{
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<std::size_t> small(0, 3000);
    std::uniform_int_distribution<std::size_t> large(3000, 40000);
    for (;;) {
        const int k = kind(rng);
        std::string content = randomBytes(rng, k == 0 ? 0 : k < 9 ? small(rng) : large(rng));
        if (content.find("#.START.#") == std::string::npos && content.find("#.END.# ") == std::string::npos)
            return content;
    }
}

class CrashSafety : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto seed = static_cast<unsigned>(Clock::now().time_since_epoch().count());
        RecordProperty("seed", std::to_string(seed));
        std::cout << "crash test seed " << seed << "\n";
        m_rng.seed(seed);
        std::bernoulli_distribution commented(1.0 / 3);
        for (int i = 0; i < kFiles; ++i) {
            TrackedFile file{m_dir.file("file" + std::to_string(i) + ".bin"), randomContent(m_rng), {}};
            if (commented(m_rng))
                file.block = block(randomComment(m_rng));
            m_dir.write("file" + std::to_string(i) + ".bin", file.content + file.block);
            m_files.push_back(std::move(file));
        }
    }

    std::vector<std::string> setArguments(const std::string &comment)
    {
        const std::string source = m_dir.write("comment.txt", comment + "\n");
        std::vector<std::string> arguments{"set", "-F", source};
        for (const TrackedFile &file : m_files)
            arguments.push_back(file.path);
        return arguments;
    }

    // Checks every file against its three allowed states and records which one it is in.
    void verify(const std::string &newBlock, int round)
    {
        for (TrackedFile &file : m_files) {
            const std::string now = TempFolder::read(file.path);
            if (now == file.content + newBlock) {
                file.block = newBlock;
            } else if (now == file.content) {
                file.block.clear();
            } else if (now != file.content + file.block) {
                const bool prefixKept = now.compare(0, file.content.size(), file.content) == 0;
                FAIL() << file.path << " after round " << round << ": " << now.size() << " bytes, content of "
                       << file.content.size() << " bytes " << (prefixKept ? "kept" : "damaged")
                       << ", followed by neither nothing, the old block nor the new one";
            }
        }
    }

    TempFolder m_dir;
    std::mt19937 m_rng;
    std::vector<TrackedFile> m_files;
};

TEST_F(CrashSafety, KilledSavesLeaveEveryFileWholeWithOneBlockAtMost)
{
    const auto started = Clock::now();

    // One uninterrupted run: it must finish, and it tells how long a whole run takes.
    std::string comment = randomComment(m_rng);
    const auto runStart = Clock::now();
    const auto whole = ScrivRunner::run(setArguments(comment));
    const auto runTime = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - runStart);
    ASSERT_EQ(whole.exitCode, 0) << whole.err;
    for (const TrackedFile &file : m_files)
        ASSERT_EQ(TempFolder::read(file.path), file.content + block(comment)) << file.path;
    for (TrackedFile &file : m_files)
        file.block = block(comment);

    std::uniform_int_distribution<long long> moment(0, runTime.count());
    int kills = 0;
    int round = 0;
    while (kills < kKillsWanted && Clock::now() - started < kTimeBudget) {
        ++round;
        comment = randomComment(m_rng);
        const pid_t child = ScrivRunner::start(setArguments(comment));
        ASSERT_GT(child, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(m_rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            ++kills;
        verify(block(comment), round);
        if (HasFatalFailure())
            return;
    }
    std::cout << "crash test: " << kills << " kills in " << round << " rounds, whole run "
              << runTime.count() / 1000 << " ms\n";
    EXPECT_GE(kills, 20) << "too few runs were killed before they finished";
}

} // namespace
