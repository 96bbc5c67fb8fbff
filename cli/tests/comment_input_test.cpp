#include "cli/comment_input.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct FilterCase
{
    const char *name;
    std::string comment;
    std::string kept;
    std::size_t dropped;
};

// Test names in ctest show the case's name, not its bytes.
void PrintTo(const FilterCase &c, std::ostream *os)
{
    *os << c.name;
}

class Filter : public testing::TestWithParam<FilterCase>
{
};

TEST_P(Filter, KeepsPrintableAsciiAndLineBreaksAndCountsCharactersDropped)
{
    const CommentInput::Filtered filtered = CommentInput::filter(GetParam().comment);
    EXPECT_EQ(filtered.kept, GetParam().kept);
    EXPECT_EQ(filtered.droppedCharacters, GetParam().dropped);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(CommentInput, Filter, testing::Values(
    FilterCase{"Plain", "Hello, world ~!", "Hello, world ~!", 0},
    FilterCase{"LineBreaksStay", "a\r\nb\nc\r", "a\r\nb\nc\r", 0},
    FilterCase{"Tab", "a\tb", "ab", 1},
    FilterCase{"NulBytes", std::string("a\0b\0\0", 5), "ab", 3},
    FilterCase{"ControlAndDelete", "\x01x\x1f\x7fy\x0b\x0c", "xy", 5},
    FilterCase{"TwoByteLetter", "caf\xc3\xa9!", "caf!", 1},
    FilterCase{"ThreeByteLetters", "\xe6\x97\xa5\xe6\x9c\xac", "", 2},
    FilterCase{"FourByteLetterBetweenAscii", "a\xf0\x9f\x98\x80z", "az", 1},
    FilterCase{"StrayContinuationBytesAfterAscii", "a\x80\x80", "a", 1},
    FilterCase{"Latin1Bytes", "\xe9\xe8", "", 2}),
    [](const testing::TestParamInfo<FilterCase> &param) { return std::string(param.param.name); });
// clang-format on

struct StreamCase
{
    const char *name;
    std::string input;
    std::string comment;
};

// Test names in ctest show the case's name, not its bytes.
void PrintTo(const StreamCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReadStream : public testing::TestWithParam<StreamCase>
{
};

TEST_P(ReadStream, LeavesOutOneFinalLineFeed)
{
    std::istringstream in(GetParam().input);
    std::string comment;
    ASSERT_TRUE(CommentInput::readStream(in, comment));
    EXPECT_EQ(comment, GetParam().comment);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(CommentInput, ReadStream, testing::Values(
    StreamCase{"Empty", "", ""},
    StreamCase{"OnlyLineFeed", "\n", ""},
    StreamCase{"OneLine", "text\n", "text"},
    StreamCase{"NoFinalLineFeed", "text", "text"},
    StreamCase{"TwoFinalLineFeeds", "text\n\n", "text\n"},
    StreamCase{"CarriageReturnStays", "text\r\n", "text\r"}),
    [](const testing::TestParamInfo<StreamCase> &param) { return std::string(param.param.name); });
// clang-format on

TEST(CommentInput, StreamReadingStopsJustPastTheLargestComment)
{
    // An endless source must not be read to its end: one byte more than fits is enough to refuse it.
    const std::string huge(CommentInput::MaxCommentBytes + 5000, 'x');
    std::istringstream in(huge);
    std::string comment;
    ASSERT_TRUE(CommentInput::readStream(in, comment));
    EXPECT_GT(comment.size(), CommentInput::MaxCommentBytes);
    EXPECT_LT(comment.size(), huge.size());
}

TEST(CommentInput, LargestCommentAndItsMarkersFillTheLibraryLimitExactly)
{
    const std::string block = CommentInput::blockText(std::string(CommentInput::MaxCommentBytes, 'x'));
    EXPECT_EQ(block.size(), 1000000u);
    EXPECT_EQ(block.substr(0, 9), "#.START.#");
    EXPECT_EQ(block.substr(block.size() - 8), "#.END.# ");
}

} // namespace
