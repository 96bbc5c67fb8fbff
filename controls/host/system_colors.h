#pragma once
// SystemColors: turns colour values into literal 0x00BBGGRR colours. A value with the top bit set
// names a system colour by its index (0x8000000F is the button face); every index the controls use
// (5, 13, 15, 16, 17, 18, 20, 21, 22, 23, 24, ...) maps to a QPalette role through one table, which
// also holds the index's standard value (controls/raster/standard_colors.h). The source decides
// which of the two a translation gives: the live palette (what the program shows) or the standard
// values (what pixel tests and the gallery use, independent of the desktop). A light palette leaves
// the indexes without a counterpart at their standard values; a dark one (PaletteContrast::isDark)
// gives every index from the palette's roles, so no light colour is left among dark ones.
#include "controls/raster/edge_colors.h"
#include "controls/raster/gdi_types.h"

#include <QPalette>
#include <cstdint>
#include <optional>

namespace scrivlet {

class SystemColors
{
public:
    enum class Source { Palette, Standard };

    // Process-wide; Palette unless changed.
    static void setSource(Source source);
    static Source source();

    // The colour of a system colour index, or nothing for an index that names no colour.
    static std::optional<gdi::ColorRef> sysColor(int index);
    static std::optional<gdi::ColorRef> sysColor(int index, const QPalette &palette);

    // Colour translation: a literal 0x00BBGGRR value is returned as it is; 0x80000000 + index gives
    // that system colour; 0x02BBGGRR (palette-relative) gives its RGB part. Anything else, and a
    // system index that names no colour, gives gdi::CLR_INVALID (-1).
    static gdi::ColorRef translate(std::uint32_t color);
    static gdi::ColorRef translate(std::uint32_t color, const QPalette &palette);

    // Whether the current source is a dark palette.
    static bool darkPalette();

    // The 3-D border colours of the current source.
    static gdi::EdgeColors edgeColors();

    // The reference value 0x80000000 + index.
    static constexpr std::uint32_t reference(int index)
    {
        return 0x80000000u | static_cast<std::uint32_t>(index);
    }
};

} // namespace scrivlet
