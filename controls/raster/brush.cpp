#include "controls/raster/brush.h"

#include <array>
#include <cstdint>

namespace scrivlet {

namespace gdi {

namespace {
// One byte per row, the most significant bit is column 0; a set bit is a line pixel.
constexpr std::array<std::array<std::uint8_t, 8>, 6> kHatchRows = {{
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // HS_DIAGCROSS
}};
} // namespace

Brush Brush::solid(ColorRef color)
{
    Brush brush;
    brush.m_kind = Kind::Solid;
    brush.m_color = color & 0xFFFFFFu;
    return brush;
}

Brush Brush::hatch(int style, ColorRef color)
{
    Brush brush;
    if (style < HS_HORIZONTAL || style > HS_DIAGCROSS)
        return brush;
    brush.m_kind = Kind::Hatch;
    brush.m_hatchStyle = style;
    brush.m_color = color & 0xFFFFFFu;
    return brush;
}

Brush Brush::pattern(const QImage &picture)
{
    Brush brush;
    if (picture.isNull())
        return brush;
    brush.m_kind = Kind::Pattern;
    brush.m_picture = picture.convertToFormat(QImage::Format_RGB32);
    return brush;
}

bool Brush::hatchBit(int style, int u, int v)
{
    if (style < HS_HORIZONTAL || style > HS_DIAGCROSS || u < 0 || u > 7 || v < 0 || v > 7)
        return false;
    const std::uint8_t row = kHatchRows[static_cast<std::size_t>(style)][static_cast<std::size_t>(v)];
    return ((row >> (7 - u)) & 1u) != 0;
}

} // namespace gdi

} // namespace scrivlet
