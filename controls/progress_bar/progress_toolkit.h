#pragma once
// The drawing toolkit the progress bar's looks are built from: lines, gradients made of lines,
// solid fills and frames, each creating its pen or brush for the one call.
#include "controls/progress_bar/progress_colors.h"
#include "controls/raster/gdi_types.h"

namespace scrivlet {

namespace gdi {
class Canvas;
}

namespace progress {

// A one-pixel line from (x1, y1) to (x2, y2), end pixel left out, in the resolved colour.
void DrawLine(int x1, int y1, int x2, int y2, gdi::Canvas &dc, ColorRef color);

// n + 1 lines (n = width along x, else height) from the resolved `first` colour (line 0) to the
// resolved `last` (line n); along x they are vertical at x + i from y to the row `height`,
// otherwise horizontal at y + i from x to the column `width`. The per-line step is kept in single
// precision; a step that cannot be computed (n = 0) stays 0.
void DrawGradient(ColorRef first, ColorRef last, int x, int y, int width, int height, gdi::Canvas &dc,
                  bool alongX);

// Fills the rectangle (right and bottom excluded) with the resolved colour.
void FillSolidRect(const gdi::Rect &rect, ColorRef color, gdi::Canvas &dc);

// A one-pixel frame inside the rectangle in the colour as given (not resolved).
void FrameSolidRect(const gdi::Rect &rect, ColorRef color, gdi::Canvas &dc);

} // namespace progress

} // namespace scrivlet
