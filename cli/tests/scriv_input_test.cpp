// Honest input: a comment is stored so that it reads back exactly, or refused before any file is
// touched; the filter comes before the size limit; one final line break of a file or a pipe goes.
#include "scriv_runner.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

using namespace scrivlet;

namespace {

constexpr std::size_t kLargest = 999983;

std::string block(const std::string &text)
{
    return "#.START.#" + text + "#.END.# ";
}

std::string repeat(const std::string &piece, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

struct InputCase
{
    const char *name;
    std::vector<std::string> options; ///< "SOURCE" stands for a file holding sourceBytes
    std::string sourceBytes;          ///< also given on standard input
    int exitCode;
    std::string stored;  ///< the comment afterwards (when the command succeeded)
    std::string errPart; ///< part of the message
};

// Failures name the case instead of dumping its (large) bytes.
void PrintTo(const InputCase &c, std::ostream *os)
{
    *os << c.name;
}

// Compares file contents without printing megabytes when they differ.
testing::AssertionResult sameBytes(const std::string &actual, const std::string &expected)
{
    if (actual == expected)
        return testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return testing::AssertionFailure()
           << actual.size() << " bytes instead of " << expected.size() << ", first difference at byte " << at
           << ": \"" << actual.substr(at, 40) << "\" instead of \"" << expected.substr(at, 40) << "\"";
}

class Input : public testing::TestWithParam<InputCase>
{
};

TEST_P(Input, IsStoredExactlyOrRefusedBeforeAnyFileIsTouched)
{
    const InputCase &c = GetParam();
    TempDir dir;
    const std::string source = dir.write("source.txt", c.sourceBytes);
    const std::string first = dir.write("first", "one" + block("old"));
    const std::string second = dir.write("second", "two");
    std::vector<std::string> arguments{"set"};
    for (const std::string &option : c.options)
        arguments.push_back(option == "SOURCE" ? source : option);
    arguments.push_back(first);
    arguments.push_back(second);

    const auto result = ScrivRunner::run(arguments, c.sourceBytes);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_NE(result.err.find(c.errPart), std::string::npos) << result.err;
    if (c.exitCode == 0) {
        EXPECT_TRUE(sameBytes(readFile(first), "one" + block(c.stored)));
        EXPECT_TRUE(sameBytes(readFile(second), "two" + block(c.stored)));
        const auto shown = ScrivRunner::run({"show", first});
        EXPECT_TRUE(sameBytes(shown.out, c.stored.empty() ? "" : c.stored + "\n"));
    } else {
        EXPECT_EQ(readFile(first), "one" + block("old"));
        EXPECT_EQ(readFile(second), "two");
    }
}

const std::string kE = "\xc3\xa9"; // é in UTF-8

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scriv, Input, testing::Values(
    InputCase{"StartMarkerInArgument", {"-m", "before#.START.#after"}, "", 2, "", "would not read back"},
    InputCase{"EndMarkerInArgument", {"-m", "a#.END.# b"}, "", 2, "", "nothing was changed"},
    InputCase{"FormsAMarkerWithTheBlocks", {"-m", ".START.#x"}, "", 2, "", "would not read back"},
    InputCase{"MarkerOnStandardInput", {"-"}, "x#.START.#y\n", 2, "", "would not read back"},
    InputCase{"CommentedTextFileGivesItsContent", {"-F", "SOURCE"}, "notes\n" + block("old notes"), 0,
              "notes", ""},
    InputCase{"FilterBeforeTheLimit", {"-F", "SOURCE"}, repeat(kE, 500000) + "IMPORTANT TEXT", 0,
              "IMPORTANT TEXT", "500000 characters dropped"},
    InputCase{"FilterBeforeTheLimitOnStandardInput", {"-"}, repeat(kE, 500000) + "IMPORTANT TEXT\n", 0,
              "IMPORTANT TEXT", "500000 characters dropped"},
    InputCase{"LargestFromAFileWithCrLf", {"-F", "SOURCE"}, std::string(kLargest, 'L') + "\r\n", 0,
              std::string(kLargest, 'L'), ""},
    InputCase{"OneByteTooLong", {"-F", "SOURCE"}, std::string(kLargest + 1, 'L'), 2, "",
              "at most 999983 fit"},
    InputCase{"FarTooLongOnStandardInput", {"-"}, std::string(3 * kLargest, 'L'), 2, "",
              "longer than 999983 bytes"},
    InputCase{"StandardInputLosesItsCrLf", {"-"}, "text\r\n", 0, "text", ""},
    InputCase{"StandardInputLosesOneLineFeed", {"-"}, "a\n\n", 0, "a\n", ""},
    InputCase{"TextFileLosesItsCrLf", {"-F", "SOURCE"}, "a\r\nb\r\n", 0, "a\r\nb", ""},
    InputCase{"ArgumentKeepsItsLineBreak", {"-m", "a\r\n"}, "", 0, "a\r\n", ""},
    InputCase{"Utf8KeepsLetters", {"--utf8", "-m", "caf" + kE}, "", 0, "caf" + kE, ""},
    InputCase{"WithoutUtf8LettersAreDropped", {"-m", "caf" + kE}, "", 0, "caf", "1 character dropped"},
    InputCase{"Utf8LargestInLetters", {"--utf8", "-F", "SOURCE"}, repeat(kE, kLargest / 2) + "!", 0,
              repeat(kE, kLargest / 2) + "!", ""},
    InputCase{"Utf8OneByteTooLong", {"--utf8", "-F", "SOURCE"}, repeat(kE, kLargest / 2 + 1), 2, "",
              "at most 999983 fit"}),
    [](const testing::TestParamInfo<InputCase> &param) { return std::string(param.param.name); });
// clang-format on

TEST(Input, SettingFromACommentedTextFileTwiceGivesTheSameComment)
{
    TempDir dir;
    const std::string notes = dir.write("notes.txt", "shared notes\n");
    const std::string other = dir.write("other.txt", "other");
    for (int run = 0; run < 2; ++run) {
        const auto result = ScrivRunner::run({"set", "-F", notes, notes, other});
        EXPECT_EQ(result.exitCode, 0) << "run " << run << ": " << result.err;
    }
    EXPECT_EQ(readFile(notes), "shared notes\n" + block("shared notes"));
    EXPECT_EQ(readFile(other), "other" + block("shared notes"));
    const auto removed = ScrivRunner::run({"rm", notes});
    EXPECT_EQ(removed.exitCode, 0);
    EXPECT_EQ(readFile(notes), "shared notes\n");
}

struct GrepCase
{
    const char *name;
    std::vector<std::string> options;
    std::string expected; ///< names of the files listed, in order
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const GrepCase &c, std::ostream *os)
{
    *os << c.name;
}

class Grep : public testing::TestWithParam<GrepCase>
{
};

TEST_P(Grep, ListsTheFilesWhoseCommentMatches)
{
    TempDir dir;
    dir.write("a", block("Invoice 2023\r\npaid"));
    dir.write("b", block("invoice draft"));
    dir.write("c", block("Receipt 2024"));
    dir.write("d", "no comment");
    dir.write("e", block(std::string(kLargest - 6, 'x') + "needle"));
    std::vector<std::string> arguments{"ls"};
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
    arguments.push_back(dir.path());
    const auto result = ScrivRunner::run(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::string listed;
    for (std::size_t at = 0; at < result.out.size();) {
        const std::size_t end = result.out.find('\0', at);
        listed += result.out.substr(at, end - at).substr(dir.path().size() + 1);
        at = end + 1;
    }
    EXPECT_EQ(listed, GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scriv, Grep, testing::Values(
    GrepCase{"FixedStringIsCaseSensitive", {"-0", "--grep", "Invoice"}, "a"},
    GrepCase{"FixedStringOnALaterLine", {"-0", "--grep=paid"}, "a"},
    GrepCase{"RegexMeansNothingWithoutE", {"-0", "--grep", "20(23|24)"}, ""},
    GrepCase{"ExtendedRegex", {"-0", "-E", "--grep", "20(23|24)"}, "ac"},
    GrepCase{"ExtendedRegexBracket", {"-0", "-E", "--grep", "^[iI]nvoice"}, "ab"},
    GrepCase{"RegexOverAMegabyte", {"-0", "-E", "--grep", "x+needle$"}, "e"},
    GrepCase{"NoMatch", {"-0", "--grep", "nothing like it"}, ""}),
    [](const testing::TestParamInfo<GrepCase> &param) { return std::string(param.param.name); });
// clang-format on

} // namespace
