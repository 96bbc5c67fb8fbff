// Honest output: a failed write of standard output is a failure with a message, never exit 0
// with a short result; folders that cannot be read are named and fail the command.
#include "scriv_runner.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace scrivlet;

namespace {

constexpr uid_t kNobody = 65534;

std::string block(const std::string &text)
{
    return "#.START.#" + text + "#.END.# ";
}

struct FullCase
{
    const char *name;
    std::vector<std::string> arguments; ///< "FILE" and "DIR" stand for the prepared ones
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const FullCase &c, std::ostream *os)
{
    *os << c.name;
}

class FullDisk : public testing::TestWithParam<FullCase>
{
};

TEST_P(FullDisk, FailsWithAMessage)
{
    if (::access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full here";
    TempDir dir;
    const std::string file = dir.write("f", "x" + block("a comment"));
    std::vector<std::string> arguments;
    for (const std::string &argument : GetParam().arguments)
        arguments.push_back(argument == "FILE" ? file : argument == "DIR" ? dir.path() : argument);
    ScrivRunner::Options options;
    options.output = "/dev/full";
    const auto result = ScrivRunner::run(arguments, options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "scriv: standard output: No space left on device\n");
    EXPECT_EQ(readFile(file), "x" + block("a comment"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scriv, FullDisk, testing::Values(
    FullCase{"Show", {"show", "FILE"}},
    FullCase{"ShowJson", {"show", "--json", "FILE"}},
    FullCase{"ShowNull", {"show", "-0", "FILE"}},
    FullCase{"List", {"ls", "DIR"}},
    FullCase{"ListJson", {"ls", "--json", "DIR"}},
    FullCase{"ListRecursiveNull", {"ls", "-r", "-0", "DIR"}},
    FullCase{"Help", {"--help"}},
    FullCase{"Version", {"--version"}}),
    [](const testing::TestParamInfo<FullCase> &param) { return std::string(param.param.name); });
// clang-format on

TEST(FullDisk, ALargeListingStopsAtTheFirstFailedWrite)
{
    if (::access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full here";
    TempDir dir;
    for (int i = 0; i < 300; ++i)
        dir.write("f" + std::to_string(i), block(std::string(1000, 'c')));
    ScrivRunner::Options options;
    options.output = "/dev/full";
    const auto result = ScrivRunner::run({"ls", "--json", dir.path()}, options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "scriv: standard output: No space left on device\n");
}

TEST(UnreadableFolder, IsNamedAndFailsTheCommandWhileTheRestIsHandled)
{
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("locked").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(dir.file("open").c_str(), 0755), 0);
    const std::string hidden = dir.write("locked/inside", "1" + block("secret"));
    const std::string seen = dir.write("open/file", "2" + block("seen"));
    ASSERT_EQ(::chmod(dir.file("locked").c_str(), 0), 0);
    ScrivRunner::Options options;
    if (::geteuid() == 0)
        options.user = kNobody;
    const auto result = ScrivRunner::run({"ls", "-r", dir.path()}, options);
    ::chmod(dir.file("locked").c_str(), 0755);
    if (options.user && result.exitCode == 126)
        GTEST_SKIP() << "cannot run scriv as another user here: " << result.err;
    if (!options.user && result.exitCode == 0)
        GTEST_SKIP() << "this user reads folders without permission";
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, seen + ": seen\n");
    EXPECT_EQ(result.err, "scriv: " + dir.file("locked/") + ": cannot read the folder\n");
    (void)hidden;
}

} // namespace
