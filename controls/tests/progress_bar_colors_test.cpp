// Colour arithmetic of the progress bar, worked out by hand from the channel formulas.
#include "controls/progress_bar/progress_colors.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

using namespace scrivlet;

using namespace progress;

namespace {

struct Lighten
{
    ColorRef color;
    int amount;
    ColorRef expected;
};

void PrintTo(const Lighten &c, std::ostream *out)
{
    *out << "0x" << std::hex << c.color << " lightened by " << std::dec << c.amount;
}

class LightenTable : public ::testing::TestWithParam<Lighten>
{
};

TEST_P(LightenTable, MovesEachChannelTowardsWhite)
{
    const Lighten &c = GetParam();
    EXPECT_EQ(LightenColor(c.color, c.amount), c.expected)
        << std::hex << c.color << " by " << std::dec << c.amount;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LightenTable,
    ::testing::Values(Lighten{0x000000, 150, 0x969696}, Lighten{0x123456, 0, 0x123456},
                      Lighten{0x123456, 255, 0xFFFFFF},
                      Lighten{0xC0FFC0, 140, 0xE2FFE2}, // 192 * 115 / 255 = 86 (truncated) + 140
                      Lighten{0xC0FFC0, 200, 0xF1FFF1}, // 192 * 55 / 255 = 41 + 200
                      Lighten{0x00FF00, 150, 0x96FF96}, // 0 + 150; 255 stays
                      Lighten{0x0000FF, 80, 0x5050FF},
                      Lighten{0x8000000D, 0, 0x00000D}), // unresolved: the index is taken as red
    PrintedCaseName());

struct Mix
{
    ColorRef first, second;
    int amount;
    ColorRef expected;
};

void PrintTo(const Mix &c, std::ostream *out)
{
    *out << "0x" << std::hex << c.first << " over 0x" << c.second << " at " << std::dec << c.amount;
}

class MixTable : public ::testing::TestWithParam<Mix>
{
};

TEST_P(MixTable, BlendsWithRounding)
{
    const Mix &c = GetParam();
    EXPECT_EQ(MixColors(c.first, c.second, c.amount), c.expected)
        << std::hex << c.first << " / " << c.second << " at " << std::dec << c.amount;
}

INSTANTIATE_TEST_SUITE_P(Table, MixTable,
                         ::testing::Values(Mix{0xFFFFFF, 0x000000, 255, 0xFFFFFF},
                                           Mix{0x123456, 0x000000, 0, 0x000000},
                                           Mix{0x123456, 0xABCDEF, 0, 0xABCDEF},
                                           Mix{0xC0C0C0, 0x000000, 255, 0xC0C0C0},
                                           Mix{0x0000FF, 0x000000, 128, 0x000080},  // 255 * 128 / 255
                                           Mix{0x000001, 0x000000, 128, 0x000001},  // 0.502 rounds up
                                           Mix{0x000001, 0x000000, 127, 0x000000},  // 0.498 rounds down
                                           Mix{0xC0FFC0, 0x000000, 200, 0x97C897},  // 150.6 and 200
                                           Mix{0xFFFFFF, 0x000000, 100, 0x646464},  // 100
                                           Mix{0x000000, 0xFFFFFF, 100, 0x9B9B9B}), // 155
                         PrintedCaseName());

TEST(ResolveColor, KeepsPlainColorsAndLooksUpSystemOnes)
{
    EXPECT_EQ(ResolveColor(0x00C0FFC0u), 0x00C0FFC0u);
    EXPECT_EQ(ResolveColor(0x00FFFFFFu), 0x00FFFFFFu);
    const ColorRef highlight = ResolveColor(0x8000000Du);
    EXPECT_EQ(highlight & 0xFF000000u, 0u);
    // Mixing resolves both sides first.
    EXPECT_EQ(MixColors(0x8000000Du, 0, 255), highlight);
}

} // namespace
