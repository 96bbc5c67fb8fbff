#pragma once
// The gradient routines of the button looks: one line per row (or column), each in its own colour,
// every line leaving out its end pixel.
#include "controls/raster/canvas.h"

namespace scrivlet {

namespace GradientLines {

// Rows y .. y + h from colour a to colour b, each a line from (x1, y + i) to (x2, y + i).
// Returns false, drawing nothing, when h is 0.
bool vertical(gdi::Canvas &canvas, gdi::ColorRef a, gdi::ColorRef b, int x1, int y, int x2, int h);

// Columns x1 .. x2 from a to b, each a line from (x1 + i, y1) to (x1 + i, y2); false when x1 == x2.
bool horizontal(gdi::Canvas &canvas, gdi::ColorRef a, gdi::ColorRef b, int x1, int y1, int x2, int y2);

} // namespace GradientLines

} // namespace scrivlet
