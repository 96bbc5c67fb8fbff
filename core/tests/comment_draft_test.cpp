// What `set` and the window store: the input's own block and final line break left out, the
// filter applied before the size limit, and texts that would not read back refused.
#include "core/comment_draft.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using scrivlet::core::CommentDraft;
using Source = CommentDraft::Source;
using Refusal = CommentDraft::Refusal;

std::string block(const std::string &text)
{
    return "#.START.#" + text + "#.END.# ";
}

std::string repeat(const std::string &piece, std::size_t times)
{
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

struct DraftCase
{
    std::string name;
    std::string input;
    Source source;
    bool utf8;
    Refusal refusal;
    std::string stored; ///< checked when nothing is refused
    std::size_t dropped;
};

// Failures name the case instead of dumping its (large) bytes.
void PrintTo(const DraftCase &c, std::ostream *os)
{
    *os << c.name;
}

class Draft : public ::testing::TestWithParam<DraftCase>
{
};

TEST_P(Draft, StoresWhatReadsBackOrRefuses)
{
    const DraftCase &c = GetParam();
    const CommentDraft draft = CommentDraft::prepare(c.input, c.source, c.utf8);
    EXPECT_EQ(draft.refusal(), c.refusal);
    EXPECT_EQ(draft.droppedCharacters(), c.dropped);
    if (c.refusal == Refusal::None) {
        EXPECT_EQ(draft.text(), c.stored);
    }
}

// A block with its 17 bytes of markers fills the library's 1,000,000 bytes.
constexpr std::size_t kMax = 999983;
const std::string kE = "\xc3\xa9"; // é in UTF-8

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Draft, ::testing::Values(
    DraftCase{"Plain", "hello", Source::Argument, false, Refusal::None, "hello", 0},
    DraftCase{"StartMarkerInside", "before#.START.#after", Source::Argument, false, Refusal::Marker, "", 0},
    DraftCase{"EndMarkerInside", "before#.END.# after", Source::Argument, false, Refusal::Marker, "", 0},
    DraftCase{"EndMarkerAtTheEnd", "text#.END.# ", Source::Argument, false, Refusal::Marker, "", 0},
    DraftCase{"FormsAStartMarkerWithTheBlocks", ".START.#x", Source::Argument, false, Refusal::Marker, "", 0},
    DraftCase{"MarkerFormedOnlyAfterFiltering", "#.ST\tART.#x", Source::Argument, false, Refusal::Marker, "", 1},
    DraftCase{"EndMarkerWithoutBlankIsFine", "a#.END.#", Source::Argument, false, Refusal::None, "a#.END.#", 0},
    DraftCase{"FragmentsAreFine", "#.START#.END.#x .START.", Source::Argument, false, Refusal::None,
              "#.START#.END.#x .START.", 0},
    DraftCase{"ArgumentKeepsItsFinalLineBreak", "a\n", Source::Argument, false, Refusal::None, "a\n", 0},
    DraftCase{"StreamLosesOneLf", "a\n\n", Source::Stream, false, Refusal::None, "a\n", 0},
    DraftCase{"StreamLosesOneCrLf", "a\r\n", Source::Stream, false, Refusal::None, "a", 0},
    DraftCase{"TextFileLosesOneCrLf", "a\r\nb\r\n", Source::TextFile, false, Refusal::None, "a\r\nb", 0},
    DraftCase{"TextFileWithItsOwnBlockGivesItsContent", "notes\n" + block("old"), Source::TextFile, false,
              Refusal::None, "notes", 0},
    DraftCase{"StreamWithABlockIsRefused", "notes\n" + block("old"), Source::Stream, false, Refusal::Marker,
              "", 0},
    DraftCase{"TextFileWithTextAfterABlockIsRefused", block("old") + "\n", Source::TextFile, false,
              Refusal::Marker, "", 0},
    DraftCase{"LargestFits", std::string(kMax, 'x'), Source::Argument, false, Refusal::None,
              std::string(kMax, 'x'), 0},
    DraftCase{"OneMoreIsTooLong", std::string(kMax + 1, 'x'), Source::Argument, false, Refusal::TooLong, "", 0},
    DraftCase{"LargestWithTheFinalLineBreakFits", std::string(kMax, 'x') + "\r\n", Source::Stream, false,
              Refusal::None, std::string(kMax, 'x'), 0},
    DraftCase{"FilteredBeforeTheLimit", repeat(kE, 500000) + "IMPORTANT TEXT", Source::TextFile, false,
              Refusal::None, "IMPORTANT TEXT", 500000},
    DraftCase{"DroppedBytesDoNotCount", std::string(3 * kMax, '\t') + "x", Source::Argument, false,
              Refusal::None, "x", 3 * kMax},
    DraftCase{"Utf8CountsItsBytes", repeat(kE, kMax / 2) + "x", Source::Argument, true, Refusal::None,
              repeat(kE, kMax / 2) + "x", 0},
    DraftCase{"Utf8OverTheLimit", repeat(kE, kMax / 2 + 1), Source::Argument, true, Refusal::TooLong, "", 0},
    DraftCase{"Utf8MarkerRuleHolds", kE + "#.START.#", Source::Argument, true, Refusal::Marker, "", 0}),
    [](const auto &param) { return param.param.name; });
// clang-format on

} // namespace
