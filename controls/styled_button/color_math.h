#pragma once
// The colour arithmetic of the button looks: gradient rows, averages, lightening and offsets. All
// channels are integers 0 to 255; rounding takes the nearest integer with halves going to even.
#include "controls/raster/gdi_types.h"

namespace scrivlet {

namespace ColorMath {

// Nearest integer, an exact half going to the even neighbour.
int roundHalfEven(double value);

// The colour of row (or column) i of a gradient of h steps from a to b; h must not be 0.
gdi::ColorRef gradientStep(gdi::ColorRef a, gdi::ColorRef b, int i, int h);

// Per channel round((a + b) / 2).
gdi::ColorRef average(gdi::ColorRef a, gdi::ColorRef b);

// Per channel c * (255 - k) / 255 + k, truncating, capped at 255.
gdi::ColorRef lighten(gdi::ColorRef color, int k);

// Per channel c + d, limited to 0..255.
gdi::ColorRef offset(gdi::ColorRef color, int d);

// Per channel offsets of their own.
gdi::ColorRef offset(gdi::ColorRef color, int dr, int dg, int db);

} // namespace ColorMath

} // namespace scrivlet
