#include "controls/progress_bar/progress_value.h"

#include "controls/progress_bar/progress_rounding.h"

#include <limits>

namespace scrivlet {

namespace progress {

std::optional<std::int32_t> percentageFromValue(std::int32_t value, std::int32_t maximum,
                                                std::int32_t minimum)
{
    // The product is a 32-bit one: it overflows before any division happens.
    const std::int64_t product = static_cast<std::int64_t>(value) * 100;
    if (product > std::numeric_limits<std::int32_t>::max() ||
        product < std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    if (maximum == 0)
        return std::nullopt;
    return roundToInt32(static_cast<double>(product) / static_cast<double>(maximum) +
                        static_cast<double>(minimum));
}

std::int32_t valueFromPercentage(std::int32_t percentage, std::int32_t maximum, std::int32_t minimum)
{
    const double divisor = minimum > 0 ? static_cast<double>(minimum) : 1.0;
    const double value = static_cast<double>(percentage) / 100.0 * static_cast<double>(maximum) / divisor;
    return roundToInt32(value).value_or(0);
}

} // namespace progress

} // namespace scrivlet
