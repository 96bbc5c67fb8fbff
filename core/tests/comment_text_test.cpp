#include "core/comment_text.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

using scrivlet::core::CommentText;
using namespace std::string_literals;

struct LineBreakCase
{
    const char *name;
    std::string editor;
    std::string stored;
    std::string shownAgain;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const LineBreakCase &c, std::ostream *os)
{
    *os << c.name;
}

class LineBreaks : public ::testing::TestWithParam<LineBreakCase>
{
};

TEST_P(LineBreaks, StoredAsCrLfShownAsLf)
{
    const std::string stored = CommentText::storedText(GetParam().editor);
    EXPECT_EQ(stored, GetParam().stored);
    EXPECT_EQ(CommentText::shownText(stored), GetParam().shownAgain);
}

INSTANTIATE_TEST_SUITE_P(Table, LineBreaks,
                         ::testing::Values(LineBreakCase{"OneLine", "one line", "one line", "one line"},
                                           LineBreakCase{"Lf", "a\nb", "a\r\nb", "a\nb"},
                                           LineBreakCase{"CrLf", "a\r\nb", "a\r\nb", "a\nb"},
                                           LineBreakCase{"LoneCr", "a\rb", "a\r\nb", "a\nb"},
                                           LineBreakCase{"OnlyBreaks", "\n\n", "\r\n\r\n", "\n\n"},
                                           LineBreakCase{"CrThenCrLf", "\r\r\n", "\r\n\r\n", "\n\n"},
                                           LineBreakCase{"Mixed", "a\r\n\r\nb\n", "a\r\n\r\nb\r\n",
                                                         "a\n\nb\n"}),
                         [](const auto &param) { return std::string(param.param.name); });

struct FinalBreakCase
{
    const char *name;
    std::string input;
    std::string kept;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const FinalBreakCase &c, std::ostream *os)
{
    *os << c.name;
}

class FinalLineBreak : public ::testing::TestWithParam<FinalBreakCase>
{
};

TEST_P(FinalLineBreak, OneLfOrCrLfIsLeftOut)
{
    EXPECT_EQ(CommentText::withoutFinalLineBreak(GetParam().input), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Table, FinalLineBreak,
                         ::testing::Values(FinalBreakCase{"Empty", "", ""},
                                           FinalBreakCase{"OnlyLf", "\n", ""},
                                           FinalBreakCase{"OnlyCrLf", "\r\n", ""},
                                           FinalBreakCase{"OneLine", "text\n", "text"},
                                           FinalBreakCase{"NoBreak", "text", "text"},
                                           FinalBreakCase{"TwoLfsKeepOne", "text\n\n", "text\n"},
                                           FinalBreakCase{"CrLfWhole", "text\r\n", "text"},
                                           FinalBreakCase{"TwoCrLfsKeepOne", "a\r\n\r\n", "a\r\n"},
                                           FinalBreakCase{"LoneCrStays", "text\r", "text\r"},
                                           FinalBreakCase{"LfCrStaysCr", "text\n\r", "text\n\r"}),
                         [](const auto &param) { return std::string(param.param.name); });

struct FilterCase
{
    const char *name;
    std::string text;
    bool utf8;
    std::string kept;
    std::size_t dropped;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const FilterCase &c, std::ostream *os)
{
    *os << c.name;
}

class Filter : public ::testing::TestWithParam<FilterCase>
{
};

TEST_P(Filter, KeepsWhatTheLibraryKeepsAndCountsCharactersDropped)
{
    const CommentText::Filtered filtered = CommentText::filter(GetParam().text, GetParam().utf8);
    EXPECT_EQ(filtered.kept, GetParam().kept);
    EXPECT_EQ(filtered.droppedCharacters, GetParam().dropped);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Filter, ::testing::Values(
    FilterCase{"Plain", "Hello, world ~!", false, "Hello, world ~!", 0},
    FilterCase{"LineBreaksStay", "a\r\nb\nc\r", false, "a\r\nb\nc\r", 0},
    FilterCase{"Tab", "a\tb", false, "ab", 1},
    FilterCase{"NulBytes", "a\0b\0\0"s, false, "ab", 3},
    FilterCase{"ControlAndDelete", "\x01x\x1f\x7fy\x0b\x0c", false, "xy", 5},
    FilterCase{"TwoByteLetter", "caf\xc3\xa9!", false, "caf!", 1},
    FilterCase{"ThreeByteLetters", "\xe6\x97\xa5\xe6\x9c\xac", false, "", 2},
    FilterCase{"FourByteLetterBetweenAscii", "a\xf0\x9f\x98\x80z", false, "az", 1},
    FilterCase{"StrayContinuationBytesAfterAscii", "a\x80\x80", false, "a", 1},
    FilterCase{"Latin1Bytes", "\xe9\xe8", false, "", 2},
    FilterCase{"Utf8KeepsLetters", "caf\xc3\xa9 \xe6\x97\xa5", true, "caf\xc3\xa9 \xe6\x97\xa5", 0},
    FilterCase{"Utf8StillDropsControls", "a\tb\x7f\xc3\xa9\0"s, true, "ab\xc3\xa9", 3},
    FilterCase{"Utf8KeepsLatin1BytesAsTheyAre", "\xe9t\xe9", true, "\xe9t\xe9", 0}),
    [](const auto &param) { return std::string(param.param.name); });
// clang-format on

} // namespace
