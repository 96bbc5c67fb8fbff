#include "app/model/batch_progress.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace scrivlet;

namespace {

struct PercentCase
{
    long long done;
    long long total;
    int expected;
};

void PrintTo(const PercentCase &c, std::ostream *os)
{
    *os << c.done << " of " << c.total << " is " << c.expected << "%";
}

class BatchProgressPercent : public ::testing::TestWithParam<PercentCase>
{
};

TEST_P(BatchProgressPercent, RoundsHalvesToEvenAndStopsAtHundred)
{
    const PercentCase c = GetParam();
    EXPECT_EQ(BatchProgress::percent(c.done, c.total), c.expected) << c.done << " of " << c.total;
}

INSTANTIATE_TEST_SUITE_P(Table, BatchProgressPercent,
                         ::testing::Values(PercentCase{1, 4, 25}, PercentCase{2, 4, 50},
                                           PercentCase{3, 4, 75}, PercentCase{4, 4, 100},
                                           PercentCase{1, 3, 33}, PercentCase{2, 3, 67}, // 66.67
                                           PercentCase{1, 8, 12},                        // 12.5 -> even 12
                                           PercentCase{3, 8, 38},                        // 37.5 -> even 38
                                           PercentCase{5, 8, 62},                        // 62.5 -> even 62
                                           PercentCase{1, 200, 0},                       // 0.5 -> even 0
                                           PercentCase{3, 200, 2},                       // 1.5 -> even 2
                                           PercentCase{5, 200, 2},                       // 2.5 -> even 2
                                           PercentCase{199, 200, 100},                   // 99.5 -> even 100
                                           PercentCase{1, 10000, 0}, PercentCase{9999, 10000, 100},
                                           PercentCase{0, 5, 0}, PercentCase{0, 0, 100},
                                           PercentCase{6, 5, 100}, // never past 100
                                           PercentCase{5'000'000'000LL, 10'000'000'000LL, 50}),
                         PrintedCaseName());

// Against the floating-point rounding in the default mode (to nearest, halves to even): for
// these small totals the quotient is never near enough a half to be misrounded.
TEST(BatchProgress, AgreesWithFloatingPointRoundingForSmallTotals)
{
    for (int total = 1; total <= 300; ++total) {
        for (int done = 0; done <= total; ++done) {
            const auto expected = std::lrint(static_cast<double>(done) * 100.0 / total);
            ASSERT_EQ(BatchProgress::percent(done, total), expected) << done << " of " << total;
        }
    }
}

} // namespace
