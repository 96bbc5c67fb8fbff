// The commands end to end: the built scriv program on real files.
#include "library/src/comment_file.h"
#include "library/tests/kill_plan.h"
#include "scriv_runner.h"
#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include "json_reader.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace scrivlet;

namespace {

std::string block(const std::string &text)
{
    return "#.START.#" + text + "#.END.# ";
}

bool hasBlock(const std::string &path, const std::string &text)
{
    const std::string content = readFile(path);
    const std::string expected = block(text);
    return content.size() >= expected.size() &&
           content.compare(content.size() - expected.size(), expected.size(), expected) == 0;
}

TEST(ScrivSet, ReplacesTheOldBlockWithTheProgramsBlock)
{
    TempDir dir;
    const std::string plain = dir.write("plain", "ABC");
    const std::string commented = dir.write("commented", "XYZ" + block("old one"));
    const auto result = ScrivRunner::run({"set", "-m", "new text", plain, commented});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(readFile(plain), "ABC" + block("new text"));
    EXPECT_EQ(readFile(commented), "XYZ" + block("new text"));
}

TEST(ScrivSet, TakesTheCommentFromAFileOrStandardInput)
{
    TempDir dir;
    const std::string target = dir.write("t", "data");
    const std::string source = dir.write("comment.txt", "from a file\nsecond line\n");
    ASSERT_EQ(ScrivRunner::run({"set", "-F", source, target}).exitCode, 0);
    EXPECT_EQ(readFile(target), "data" + block("from a file\nsecond line"));
    ASSERT_EQ(ScrivRunner::run({"set", "-", target}, "piped\n").exitCode, 0);
    EXPECT_EQ(readFile(target), "data" + block("piped"));
}

TEST(ScrivShow, PrintsTheCommentAloneOrEveryLineAfterThePath)
{
    TempDir dir;
    const std::string a = dir.write("a", "1" + block("one line"));
    const std::string b = dir.write("b", "2" + block("first\r\nsecond"));
    const std::string c = dir.write("c", "no comment");

    const auto alone = ScrivRunner::run({"show", a});
    EXPECT_EQ(alone.exitCode, 0);
    EXPECT_EQ(alone.out, "one line\n");
    EXPECT_EQ(ScrivRunner::run({"show", c}).out, "");

    const auto several = ScrivRunner::run({"show", a, b, c});
    EXPECT_EQ(several.exitCode, 0);
    EXPECT_EQ(several.out, a + ": one line\n" + b + ": first\n" + b + ": second\n" + c + ":\n");
}

struct RoundTripCase
{
    const char *name;
    std::string comment;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const RoundTripCase &c, std::ostream *os)
{
    *os << c.name;
}

class ShowSetRoundTrip : public testing::TestWithParam<RoundTripCase>
{
};

TEST_P(ShowSetRoundTrip, WhatShowPrintsSetsTheSameCommentAgain)
{
    TempDir dir;
    const std::string file = dir.write("f", "content");
    ASSERT_EQ(ScrivRunner::run({"set", "-m", GetParam().comment, file}).exitCode, 0);
    const std::string before = readFile(file);
    EXPECT_EQ(before, "content" + block(GetParam().comment));

    const auto shown = ScrivRunner::run({"show", file});
    ASSERT_EQ(ScrivRunner::run({"set", "-", file}, shown.out).exitCode, 0);
    EXPECT_EQ(readFile(file), before);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scriv, ShowSetRoundTrip, testing::Values(
    RoundTripCase{"Empty", ""}, RoundTripCase{"OneLetter", "x"}, RoundTripCase{"TwoLines", "two\nlines"},
    RoundTripCase{"EndsInALineFeed", "ends in a line feed\n"}, RoundTripCase{"OnlyLineFeeds", "\n\n"},
    RoundTripCase{"EndsInCrLf", "crlf\r\n"}, RoundTripCase{"BlanksAround", " blanks around "}),
    [](const testing::TestParamInfo<RoundTripCase> &param) { return std::string(param.param.name); });
// clang-format on

TEST(ScrivRemove, CutsOnlyTheBlockAndLeavesFilesWithoutOne)
{
    TempDir dir;
    const std::string commented = dir.write("a", "keep me" + block("bye"));
    const std::string twice = dir.write("b", "k" + block("first") + block("second"));
    const std::string plain = dir.write("c", "untouched #.END.#");
    const auto result = ScrivRunner::run({"rm", commented, twice, plain});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readFile(commented), "keep me");
    EXPECT_EQ(readFile(twice), "k" + block("first"));
    EXPECT_EQ(readFile(plain), "untouched #.END.#");
}

TEST(ScrivList, ShowsFilesWithACommentAndItsFirstLine)
{
    TempDir dir;
    dir.write("a", "x" + block("alpha\nmore"));
    dir.write("b", "no comment");
    dir.write("c", "y" + block(""));
    dir.write(".hidden", block("hidden one"));
    dir.write("skip.db", block("database"));
    const auto result = ScrivRunner::run({"ls", dir.path()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    // A folder's own files include hidden ones; "db" files are left out, as in the program.
    EXPECT_EQ(result.out, dir.file(".hidden") + ": hidden one\n" + dir.file("a") + ": alpha\n");
}

TEST(ScrivList, TakesFilesNamedDirectlyAndReportsMissingOnes)
{
    TempDir dir;
    const std::string commented = dir.write("x.db", "1" + block("named files are not excluded"));
    const std::string plain = dir.write("y", "2");
    const auto result = ScrivRunner::run({"ls", commented, plain, dir.file("gone")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, commented + ": named files are not excluded\n");
    EXPECT_NE(result.err.find(dir.file("gone") + ": no such file or folder"), std::string::npos)
        << result.err;
}

TEST(ScrivRecursive, FollowsTheFolderScanRules)
{
    TempDir dir;
    ::mkdir(dir.file("sub").c_str(), 0755);
    ::mkdir(dir.file("sub/deeper").c_str(), 0755);
    ::mkdir(dir.file(".hid").c_str(), 0755);
    TempDir outside;
    const std::string top = dir.write("top.txt", "1");
    const std::string deep = dir.write("sub/deeper/deep.DB", "2");
    const std::string hiddenFile = dir.write("sub/.dot", "3");
    const std::string inHidden = dir.write(".hid/x", "4");
    const std::string excluded = dir.write("sub/thumbs.db", "5");
    const std::string linked = outside.write("linked", "6");
    ASSERT_EQ(::symlink(outside.path().c_str(), dir.file("link").c_str()), 0);

    const auto result = ScrivRunner::run({"set", "-r", "-m", "tree", dir.path()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(hasBlock(top, "tree"));
    EXPECT_TRUE(hasBlock(deep, "tree"));
    EXPECT_EQ(readFile(hiddenFile), "3");
    EXPECT_EQ(readFile(inHidden), "4");
    EXPECT_EQ(readFile(excluded), "5");
    EXPECT_EQ(readFile(linked), "6");

    const auto listed = ScrivRunner::run({"ls", "-r", dir.path() + "/"});
    EXPECT_EQ(listed.out, dir.file("top.txt") + ": tree\n" + dir.file("sub/deeper/deep.DB") + ": tree\n");
}

TEST(ScrivJson, ShowAndListGiveOneArrayWithErrorsAsEntries)
{
    TempDir dir;
    const std::string a = dir.write("a", "x" + block("say \"hi\"\n\\o/"));
    const std::string missing = dir.file("missing");
    const auto shown = ScrivRunner::run({"show", "--json", a, missing});
    EXPECT_EQ(shown.exitCode, 1);
    const auto entries = JsonReader::parseArray(shown.out);
    ASSERT_TRUE(entries.has_value()) << shown.out;
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ(entries->at(0), (JsonReader::Object{{"path", a}, {"comment", "say \"hi\"\n\\o/"}}));
    EXPECT_EQ(entries->at(1).at("path"), missing);
    EXPECT_EQ(entries->at(1).at("error"), "no such file");

    const auto listed = ScrivRunner::run({"ls", "--json", dir.path()});
    const auto rows = JsonReader::parseArray(listed.out);
    ASSERT_TRUE(rows.has_value()) << listed.out;
    ASSERT_EQ(rows->size(), 1u);
    EXPECT_EQ(rows->at(0).at("comment"), "say \"hi\"\n\\o/");

    ::mkdir(dir.file("empty").c_str(), 0755);
    const auto none = ScrivRunner::run({"ls", "--json", dir.file("empty")});
    EXPECT_EQ(none.exitCode, 0);
    const auto nothing = JsonReader::parseArray(none.out);
    ASSERT_TRUE(nothing.has_value()) << none.out;
    EXPECT_TRUE(nothing->empty());
}

class KeepTime : public testing::TestWithParam<std::vector<std::string>>
{
};

TEST_P(KeepTime, PutsBackAccessAndModificationTimes)
{
    TempDir dir;
    const std::string file = dir.write("f", "body" + block("old"));
    const timespec old[2] = {{1000000000, 123456789}, {1100000000, 987654321}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), old, 0), 0);

    std::vector<std::string> arguments = GetParam();
    arguments.push_back(file);
    const auto kept = ScrivRunner::run(arguments);
    EXPECT_EQ(kept.exitCode, 0) << kept.err;
    struct stat info
    {
    };
    ASSERT_EQ(::stat(file.c_str(), &info), 0); // before reading the file, which moves its access time
    EXPECT_EQ(info.st_atim.tv_sec, old[0].tv_sec);
    EXPECT_EQ(info.st_atim.tv_nsec, old[0].tv_nsec);
    EXPECT_EQ(info.st_mtim.tv_sec, old[1].tv_sec);
    EXPECT_EQ(info.st_mtim.tv_nsec, old[1].tv_nsec);
    EXPECT_NE(readFile(file), "body" + block("old")) << "the command changed nothing";

    // Without the option the change shows in the modification time.
    arguments.erase(std::find(arguments.begin(), arguments.end(), "--keep-time"));
    dir.write("f", "body" + block("old"));
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), old, 0), 0);
    EXPECT_EQ(ScrivRunner::run(arguments).exitCode, 0);
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_GT(info.st_mtim.tv_sec, old[1].tv_sec);
}

INSTANTIATE_TEST_SUITE_P(Scriv, KeepTime,
                         testing::Values(std::vector<std::string>{"set", "--keep-time", "-m", "new"},
                                         std::vector<std::string>{"rm", "--keep-time"}),
                         [](const testing::TestParamInfo<std::vector<std::string>> &param) {
                             return param.param.front();
                         });

struct StatusCase
{
    const char *name;
    std::vector<std::string> arguments;
    int exitCode;
    const char *outPart;
    const char *errPart;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const StatusCase &c, std::ostream *os)
{
    *os << c.name;
}

class ExitStatus : public testing::TestWithParam<StatusCase>
{
};

TEST_P(ExitStatus, TellsSuccessFailureAndUsage)
{
    const auto result = ScrivRunner::run(GetParam().arguments);
    EXPECT_EQ(result.exitCode, GetParam().exitCode);
    EXPECT_NE(result.out.find(GetParam().outPart), std::string::npos) << result.out;
    EXPECT_NE(result.err.find(GetParam().errPart), std::string::npos) << result.err;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scriv, ExitStatus, testing::Values(
    StatusCase{"Help", {"--help"}, 0, "Usage: scriv show", ""},
    StatusCase{"HelpAfterCommand", {"set", "--help"}, 0, "Usage: scriv show", ""},
    StatusCase{"Version", {"--version"}, 0, "scriv 1.", ""},
    StatusCase{"NoCommand", {}, 2, "", "no command given"},
    StatusCase{"UnknownCommand", {"frobnicate"}, 2, "", "Usage:"},
    StatusCase{"SetWithoutComment", {"set", "/tmp"}, 2, "", "needs the comment"},
    StatusCase{"ShowMissingFile", {"show", "/nonexistent/scriv-missing"}, 1, "", "/nonexistent/scriv-missing: no such file"},
    StatusCase{"UnreadableCommentFile", {"set", "-F", "/nonexistent/scriv-comment", "/tmp"}, 1, "", "cannot read the comment"},
    StatusCase{"BadRegex", {"ls", "-E", "--grep", "(", "/tmp"}, 2, "", "--grep: "},
    StatusCase{"NothingToRecover", {"recover"}, 0, "nothing to recover\n", ""}),
    [](const testing::TestParamInfo<StatusCase> &param) { return std::string(param.param.name); });
// clang-format on

TEST(ExitStatus, SomeFailuresStillHandleTheOtherFiles)
{
    TempDir dir;
    const std::string good = dir.write("good", "g");
    const auto result = ScrivRunner::run({"set", "-m", "c", dir.file("missing"), good});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(readFile(good), "g" + block("c"));
}

// A change killed halfway whose file is then gone: every command says that its record is kept
// and how to drop it, without failing for it; recover fails until the record is dropped.
TEST(ScrivRecover, KeepsARecordWhoseFileIsGoneUntilDiscarded)
{
    TempDir dir;
    const std::string path = dir.write("doc", "own" + block(std::string(3000, 'o')));
    const std::string other = dir.write("other", "other");
    ::setenv("XDG_STATE_HOME", ScrivRunner::stateHome().c_str(), 1);
    const pid_t child = ::fork();
    if (child == 0) {
        KillPlan plan{4, 3}; // killed while putting back a write that failed halfway
        scrivlet::setChangeHook(&killAtChange, &plan);
        scrivlet::comment_file::replace(path.c_str(), std::string(6000, 'n'), 0);
        ::_exit(3);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the change was not killed";
    ASSERT_EQ(::unlink(path.c_str()), 0);

    const auto shown = ScrivRunner::run({"show", other});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_NE(shown.err.find(path + ": an interrupted change is recorded"), std::string::npos) << shown.err;
    const auto recovered = ScrivRunner::run({"recover"});
    EXPECT_EQ(recovered.exitCode, 1);
    EXPECT_NE(recovered.err.find("'scriv recover --discard " + path + "'"), std::string::npos)
        << recovered.err;
    const auto dropped = ScrivRunner::run({"recover", "--discard", path});
    EXPECT_EQ(dropped.exitCode, 0) << dropped.err;
    EXPECT_NE(dropped.out.find("dropped"), std::string::npos) << dropped.out;
    EXPECT_EQ(ScrivRunner::run({"recover"}).out, "nothing to recover\n");
}

} // namespace
