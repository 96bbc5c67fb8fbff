#pragma once
// PaletteContrast: the luminance arithmetic that decides whether a palette is dark and whether a
// text colour can be read on its background (relative luminance and contrast ratio as WCAG
// defines them).
#include "controls/raster/gdi_types.h"

#include <QPalette>

namespace scrivlet {

namespace PaletteContrast {

// Relative luminance, 0 (black) to 1 (white), of the sRGB colour.
double luminance(gdi::ColorRef color);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ratio(gdi::ColorRef a, gdi::ColorRef b);

// A palette is dark when its active Window colour is darker than its WindowText.
bool isDark(const QPalette &palette);

// The text colour itself when it has a contrast of at least 4.5:1 with the background, else black
// or white, whichever contrasts more.
gdi::ColorRef readable(gdi::ColorRef text, gdi::ColorRef background);

} // namespace PaletteContrast

} // namespace scrivlet
