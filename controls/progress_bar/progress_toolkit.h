#pragma once
// The drawing toolkit the progress bar's looks are built from: lines, gradients made of lines,
// solid fills and frames, each creating its pen or brush for the one call.
#include "controls/progress_bar/progress_colors.h"
#include "controls/raster/gdi_types.h"

namespace gdi {
class Canvas;
}

namespace progress {

// A one-pixel line from (X, Y) to the point (Width, Height), end pixel left out, in the resolved Color.
void DrawLine(int X, int Y, int Width, int Height, gdi::Canvas &cHdc, ColorRef Color);

// n + 1 lines (n = Width along x, else Height) from lEndColor (line 0) to lStartcolor (line n);
// along x they are vertical at X + i from Y to the row Height, otherwise horizontal at Y + i from
// X to the column Width. Both colours are replaced by their resolved RGB. The per-line step is
// kept in single precision; a step that cannot be computed (n = 0) stays 0.
void DrawGradient(ColorRef &lEndColor, ColorRef &lStartcolor, int X, int Y, int Width, int Height,
                  gdi::Canvas &cHdc, bool &AlongX);

// Fills the rectangle (right and bottom excluded) with the resolved colour.
void FillSolidRect(const gdi::Rect &rect, ColorRef color, gdi::Canvas &dc);

// A one-pixel frame inside the rectangle in the colour as given (not resolved).
void FrameSolidRect(const gdi::Rect &rect, ColorRef color, gdi::Canvas &dc);

} // namespace progress
