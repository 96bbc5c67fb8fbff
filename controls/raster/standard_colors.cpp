#include "controls/raster/standard_colors.h"

#include <array>

namespace scrivlet {

namespace gdi {

namespace {
// The values of a default desktop scheme; index 25 is unassigned.
constexpr std::array<ColorRef, 31> kStandard = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
    CLR_INVALID,        RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(0, 120, 215),
    RGB(240, 240, 240),
};
} // namespace

std::optional<ColorRef> standardSysColor(int index)
{
    if (index < 0 || index >= static_cast<int>(kStandard.size()))
        return std::nullopt;
    const ColorRef value = kStandard[static_cast<std::size_t>(index)];
    if (value == CLR_INVALID)
        return std::nullopt;
    return value;
}

} // namespace gdi

} // namespace scrivlet
