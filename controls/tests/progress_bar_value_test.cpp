// The mapping between `Value` and the stored percentage, quirks included.
#include "controls/progress_bar/progress_value.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

using namespace scrivlet;

using progress::percentageFromValue;
using progress::valueFromPercentage;

namespace {

struct Assignment
{
    std::int32_t value, maximum, minimum;
    std::optional<std::int32_t> percentage;
};

void PrintTo(const Assignment &c, std::ostream *out)
{
    *out << "value " << c.value << " max " << c.maximum << " min " << c.minimum;
}

class ValueAssignment : public ::testing::TestWithParam<Assignment>
{
};

TEST_P(ValueAssignment, GivesRoundedPercentageOrNothing)
{
    const Assignment &c = GetParam();
    EXPECT_EQ(percentageFromValue(c.value, c.maximum, c.minimum), c.percentage)
        << "value " << c.value << ", max " << c.maximum << ", min " << c.minimum;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValueAssignment,
    ::testing::Values(Assignment{3, 10, 0, 30}, Assignment{25, 10, 0, 250}, // beyond Max is kept
                      Assignment{50, 100, 5, 55},                           // the minimum is added
                      Assignment{0, 4, 0, 0}, Assignment{5, 4, 0, 125},     // the main window's last step
                      Assignment{1, 8, 0, 12}, Assignment{3, 8, 0, 38},     // 12.5 and 37.5: halves to even
                      Assignment{1, 200, 0, 0}, Assignment{3, 200, 0, 2}, Assignment{5, 200, 0, 2},
                      Assignment{-3, 10, 0, -30}, Assignment{-1, 8, 0, -12}, Assignment{5, -10, 0, -50},
                      Assignment{7, 0, 0, std::nullopt}, Assignment{0, 0, 0, std::nullopt}, // Max 0
                      Assignment{21474836, 1, 0, 2147483600},
                      Assignment{21474837, 1000, 0, std::nullopt}, // the 32-bit product overflows
                      Assignment{-21474837, 1000, 0, std::nullopt},
                      Assignment{21474836, 1, 100, std::nullopt}, // the sum no longer fits
                      Assignment{1, 1000, 0, 0}),                 // a whole-percent step is lost
    PrintedCaseName());

struct Reading
{
    std::int32_t percentage, maximum, minimum, value;
};

void PrintTo(const Reading &c, std::ostream *out)
{
    *out << c.percentage << " percent max " << c.maximum << " min " << c.minimum;
}

class ValueReading : public ::testing::TestWithParam<Reading>
{
};

TEST_P(ValueReading, DividesByAPositiveMinimum)
{
    const Reading &c = GetParam();
    EXPECT_EQ(valueFromPercentage(c.percentage, c.maximum, c.minimum), c.value)
        << "percentage " << c.percentage << ", max " << c.maximum << ", min " << c.minimum;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValueReading,
    ::testing::Values(Reading{30, 10, 0, 3}, Reading{100, 10, 0, 10}, Reading{55, 100, 5, 11},
                      Reading{50, 10, -5, 5},                       // a negative minimum divides by 1
                      Reading{25, 10, 0, 2}, Reading{35, 10, 0, 4}, // 2.5 and 3.5: halves to even
                      Reading{100, 1000, 0, 1000}, Reading{-30, 10, 0, -3},
                      Reading{std::numeric_limits<std::int32_t>::max(),
                              std::numeric_limits<std::int32_t>::max(), 0, 0}, // the result does not fit: 0
                      Reading{std::numeric_limits<std::int32_t>::min(),
                              std::numeric_limits<std::int32_t>::max(), 0, 0}),
    PrintedCaseName());

TEST(ValueMapping, RoundTripsEveryValueForSmallMaxima)
{
    for (std::int32_t maximum = 1; maximum <= 100; ++maximum) {
        for (std::int32_t value = 0; value <= maximum; ++value) {
            const auto percentage = percentageFromValue(value, maximum, 0);
            ASSERT_TRUE(percentage.has_value());
            ASSERT_EQ(valueFromPercentage(*percentage, maximum, 0), value) << "max " << maximum;
        }
    }
}

TEST(ValueMapping, LargeMaximaLoseNeighbouringValues)
{
    // 1000 steps on a 100-step scale: 12 and 13 both land on 1 per cent.
    EXPECT_EQ(percentageFromValue(12, 1000, 0), percentageFromValue(13, 1000, 0));
    EXPECT_NE(valueFromPercentage(*percentageFromValue(13, 1000, 0), 1000, 0), 13);
}

} // namespace
