#include "controls/styled_button/gradient_lines.h"

#include "controls/styled_button/color_math.h"

namespace scrivlet {

namespace GradientLines {

bool vertical(gdi::Canvas &canvas, gdi::ColorRef a, gdi::ColorRef b, int x1, int y, int x2, int h)
{
    if (h == 0)
        return false;
    for (int i = 0; i <= h; ++i)
        canvas.drawLine(x1, y + i, x2, y + i, ColorMath::gradientStep(a, b, i, h));
    return true;
}

bool horizontal(gdi::Canvas &canvas, gdi::ColorRef a, gdi::ColorRef b, int x1, int y1, int x2, int y2)
{
    const int steps = x2 - x1;
    if (steps == 0)
        return false;
    for (int i = 0; i <= steps; ++i)
        canvas.drawLine(x1 + i, y1, x1 + i, y2, ColorMath::gradientStep(a, b, i, steps));
    return true;
}

} // namespace GradientLines

} // namespace scrivlet
