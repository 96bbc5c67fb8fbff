#include "library/src/comment_block.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace cb = scrivlet::comment_block;
using namespace std::string_literals;

namespace {

struct BlockCase
{
    const char *name;
    std::string image;
    std::optional<std::size_t> start; // nothing: the image carries no block
    std::string text;
};

void PrintTo(const BlockCase &value, std::ostream *out)
{
    *out << value.name;
}

class LocateBlock : public ::testing::TestWithParam<BlockCase>
{
};

TEST_P(LocateBlock, FindsTheBlockOfAWholeImage)
{
    const BlockCase &c = GetParam();
    const auto block = cb::locateBlock(c.image);
    ASSERT_EQ(block.has_value(), c.start.has_value());
    if (!block)
        return;
    EXPECT_EQ(block->start, *c.start);
    EXPECT_EQ(block->textBegin, *c.start + 9);
    EXPECT_EQ(c.image.substr(block->textBegin, block->textEnd - block->textBegin), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LocateBlock,
    ::testing::Values(BlockCase{"AfterOwnBytes", "ABC#.START.#hi#.END.# ", 3, "hi"},
                      BlockCase{"EmptyComment", "#.START.##.END.# ", 0, ""},
                      BlockCase{"NoClosingBlank", "#.START.#hi#.END.#", std::nullopt, ""},
                      BlockCase{"ByteAfterBlank", "#.START.#hi#.END.# x", std::nullopt, ""},
                      BlockCase{"TwoBlocksTakesLast", "#.START.#a#.END.# #.START.#bb#.END.# ", 18, "bb"},
                      BlockCase{"EndMarkerInsideText", "X#.START.#ab#.END.# cd#.END.# ", 1, "ab"},
                      BlockCase{"StartMarkerInsideText", "#.START.#a#.START.#b#.END.# ", 10, "b"},
                      BlockCase{"EndMarkerOnly", "#.END.# ", std::nullopt, ""},
                      BlockCase{"EndMarkerWithoutStart", "some bytes#.END.# ", std::nullopt, ""},
                      BlockCase{"StartMarkerSharingEndMarkersHash", "#.START.#.END.# ", std::nullopt, ""},
                      BlockCase{"StartMarkersSharingAHash", "#.START.#.START.##.END.# ", 8, ""},
                      BlockCase{"TextEndsInMarkerWithoutBlank", "#.START.##.END.##.END.# ", 0, "#.END.#"},
                      BlockCase{"FragmentsInText", "#.START.##.START#.END.#x#.END.# ", 0, "#.START#.END.#x"},
                      BlockCase{"ZeroAndHighBytesKept", "#.START.#a\0\xff#.END.# "s, 0, "a\0\xff"s},
                      BlockCase{"Empty", "", std::nullopt, ""},
                      BlockCase{"ShorterThanEndMarker", ".END.# ", std::nullopt, ""}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

struct KeptCase
{
    const char *name;
    std::string text;
    std::string kept;
};

void PrintTo(const KeptCase &value, std::ostream *out)
{
    *out << value.name;
}

class KeptBytes : public ::testing::TestWithParam<KeptCase>
{
};

TEST_P(KeptBytes, DropsEveryOtherByte)
{
    EXPECT_EQ(cb::keptBytes(GetParam().text), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeptBytes,
    ::testing::Values(KeptCase{"TabGoes", "a\tb", "ab"}, KeptCase{"CrLfStays", "a\r\nb", "a\r\nb"},
                      KeptCase{"AccentedLetterGoes", "caf\xc3\xa9!", "caf!"},
                      KeptCase{"ZeroGoes", "a\0b"s, "ab"}, KeptCase{"DeleteGoes", "a\x7f~", "a~"},
                      KeptCase{"EdgesOfPrintable", "\x1f \x7e\x80", " ~"},
                      KeptCase{"FormFeedAndVerticalTabGo", "\x0b\x0c\x0e", ""},
                      KeptCase{"MarkersPassUnchanged", "#.START.#x#.END.# ", "#.START.#x#.END.# "}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(KeptBytes, KeepsExactlyNinetySevenValues)
{
    std::string all;
    for (int value = 0; value < 256; ++value)
        all += static_cast<char>(value);
    const std::string kept = cb::keptBytes(all);
    ASSERT_EQ(kept.size(), 97u);
    EXPECT_EQ(kept.substr(0, 2), "\n\r");
    EXPECT_EQ(kept[2], ' ');
    EXPECT_EQ(kept.back(), '~');
}

TEST(KeptBytes, Utf8KeepsTheHighHalfToo)
{
    std::string all;
    for (int value = 0; value < 256; ++value)
        all += static_cast<char>(value);
    const std::string kept = cb::keptBytes(all, true);
    ASSERT_EQ(kept.size(), 97u + 128u);
    // Built by appending: GCC 12 at -O3 warns falsely about "~" + std::string (-Wrestrict).
    std::string expected = "~";
    expected += all.substr(128);
    EXPECT_EQ(kept.substr(kept.size() - 129), expected);
}

struct ReadBackCase
{
    const char *name;
    std::string text;
    bool readsBack;
};

// Names the case in failure messages and ctest listings, not its bytes.
void PrintTo(const ReadBackCase &value, std::ostream *out)
{
    *out << value.name;
}

class ReadsBackExactly : public ::testing::TestWithParam<ReadBackCase>
{
};

TEST_P(ReadsBackExactly, RefusesTextsThatHoldOrFormMarkers)
{
    const ReadBackCase &c = GetParam();
    EXPECT_EQ(cb::readsBackExactly(c.text), c.readsBack);
    // Appended behind bytes that end in marker fragments, the block reads back the same way.
    const std::string image = "#.START.#x#.START" + cb::blockOf(c.text);
    const auto block = cb::locateBlock(image);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(image.substr(block->textBegin, block->textEnd - block->textBegin) == c.text, c.readsBack);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadsBackExactly,
    ::testing::Values(ReadBackCase{"Plain", "a comment\r\nwith two lines", true},
                      ReadBackCase{"Empty", "", true}, ReadBackCase{"HighBytes", "caf\xc3\xa9", true},
                      ReadBackCase{"StartMarker", "a#.START.#b", false},
                      ReadBackCase{"EndMarker", "a#.END.# b", false},
                      ReadBackCase{"EndMarkerAtTheEnd", "a#.END.# ", false},
                      ReadBackCase{"StartMarkerAtTheStart", "#.START.#", false},
                      ReadBackCase{"FormsAStartMarkerWithTheOwn", ".START.#b", false},
                      ReadBackCase{"FormsAnEndMarkerAcrossTheEnd", "a#.END.#", true},
                      ReadBackCase{"FragmentsOnly", "#.START #.END.#x .START.# END.# ", true},
                      ReadBackCase{"HashesAndDots", "#.#.##..", true}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

struct NthLastCase
{
    const char *name;
    std::string region;
    int seenBefore;
    std::optional<std::size_t> found;
    int seenAfter;
};

void PrintTo(const NthLastCase &value, std::ostream *out)
{
    *out << value.name;
}

class FindNthLastByte : public ::testing::TestWithParam<NthLastCase>
{
};

TEST_P(FindNthLastByte, CountsFromTheEnd)
{
    const NthLastCase &c = GetParam();
    int seen = c.seenBefore;
    EXPECT_EQ(cb::findNthLastByte(c.region, '\x81', 2, seen), c.found);
    EXPECT_EQ(seen, c.seenAfter);
}

INSTANTIATE_TEST_SUITE_P(Table, FindNthLastByte,
                         ::testing::Values(NthLastCase{"Example", "AB\x81xy\x81z", 0, 2, 2},
                                           NthLastCase{"TwoAtTheEnd", "AB\x81\x81", 0, 2, 2},
                                           NthLastCase{"ThreeTakesMiddle",
                                                       "\x81"
                                                       "a\x81"
                                                       "b\x81",
                                                       0, 2, 2},
                                           NthLastCase{"OneSeenInALaterPiece",
                                                       "a\x81"
                                                       "b",
                                                       1, 1, 2},
                                           NthLastCase{"OnlyOne", "ab\x81", 0, std::nullopt, 1},
                                           NthLastCase{"None", "abc", 1, std::nullopt, 1},
                                           NthLastCase{"Empty", "", 0, std::nullopt, 0}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
