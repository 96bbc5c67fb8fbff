#pragma once
// The mapping between the bar's `Value` and the whole-number percentage it keeps. Both directions
// swallow arithmetic failures: an assignment that cannot be computed leaves the percentage alone,
// a reading that cannot be computed gives 0.
#include <cstdint>
#include <optional>

namespace scrivlet {

namespace progress {

// Percentage for `Value` = value: rounded(value x 100 / maximum + minimum), the product taken in
// 32 bits. Nothing when it fails (maximum 0, overflow).
std::optional<std::int32_t> percentageFromValue(std::int32_t value, std::int32_t maximum,
                                                std::int32_t minimum);

// `Value` as read back: rounded((percentage / 100 x maximum) / d), d being the minimum when that is
// positive and 1 otherwise. 0 when it fails.
std::int32_t valueFromPercentage(std::int32_t percentage, std::int32_t maximum, std::int32_t minimum);

} // namespace progress

} // namespace scrivlet
