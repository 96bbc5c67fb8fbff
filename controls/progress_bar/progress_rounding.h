#pragma once
// Rounding as the bar's arithmetic needs it: to the nearest integer, an exact half to the even
// neighbour (the floating-point environment's default mode).
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace scrivlet {

namespace progress {

inline double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

// The rounded value as a 32-bit integer, or nothing when it does not fit (an overflow).
inline std::optional<std::int32_t> roundToInt32(double value)
{
    const double r = std::nearbyint(value);
    if (!(r >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
          r <= static_cast<double>(std::numeric_limits<std::int32_t>::max())))
        return std::nullopt; // also NaN
    return static_cast<std::int32_t>(r);
}

// The rounded value clamped into the 32-bit range; for pixel coordinates, where the canvas clips.
inline int roundToPixel(double value)
{
    const double r = std::nearbyint(value);
    if (!(r > -1e9))
        return -1000000000;
    if (r > 1e9)
        return 1000000000;
    return static_cast<int>(r);
}

} // namespace progress

} // namespace scrivlet
