// SIGINT, SIGTERM and SIGHUP are deferred: scriv stops with 128 + the signal's number and says so,
// and a stop while it waits for the comment on standard input changes nothing.
#include "scriv_runner.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>
#include <thread>

using namespace scrivlet;

namespace {

// Whether the process has a handler for @p signal (its "SigCgt" mask in /proc).
bool catches(pid_t pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) == 0) {
            const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
            return (mask >> (signal - 1)) & 1U;
        }
    }
    return false;
}

struct SignalCase
{
    const char *name;
    int signal;
    int exitCode;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const SignalCase &c, std::ostream *os)
{
    *os << c.name;
}

class DeferredSignal : public testing::TestWithParam<SignalCase>
{
};

TEST_P(DeferredSignal, WhileWaitingForTheCommentStopsWithoutAChange)
{
    TempDir dir;
    const std::string file = dir.write("f", "own bytes");
    ScrivRunner::Started child = ScrivRunner::start({"set", "-", file});
    ASSERT_GT(child.pid, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!catches(child.pid, GetParam().signal) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(::write(child.input, "half a comm", 11), 11);
    ::kill(child.pid, GetParam().signal);
    const auto result = ScrivRunner::wait(child);
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.err;
    EXPECT_NE(result.err.find(std::string("stopped by ") + GetParam().name), std::string::npos) << result.err;
    EXPECT_EQ(readFile(file), "own bytes");
}

INSTANTIATE_TEST_SUITE_P(Scriv, DeferredSignal,
                         testing::Values(SignalCase{"SIGINT", SIGINT, 130},
                                         SignalCase{"SIGTERM", SIGTERM, 143},
                                         SignalCase{"SIGHUP", SIGHUP, 129}),
                         [](const testing::TestParamInfo<SignalCase> &param) {
                             return std::string(param.param.name);
                         });

} // namespace
