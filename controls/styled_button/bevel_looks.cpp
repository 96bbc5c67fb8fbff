#include "controls/styled_button/bevel_looks.h"

#include "controls/styled_button/classic_looks.h"
#include "controls/styled_button/color_math.h"
#include "controls/styled_button/gradient_lines.h"

#include <array>

namespace scrivlet {

using ColorMath::offset;
using gdi::ColorRef;

namespace {

// The border follows the outline's cuts: 2 pixels at the top left, 3 at the top and bottom right,
// 4 at the bottom left.
void border(gdi::Canvas &c, ColorRef color, ColorRef light)
{
    const int W = c.width();
    const int H = c.height();
    const std::array<gdi::Point, 9> outline{{{0, 2},
                                             {2, 0},
                                             {W - 4, 0},
                                             {W - 1, 3},
                                             {W - 1, H - 4},
                                             {W - 4, H - 1},
                                             {4, H - 1},
                                             {0, H - 5},
                                             {0, 2}}};
    c.polyline(outline, color);
    c.drawLine(3, 1, W - 4, 1, light);
    c.drawLine(1, 3, 1, H - 5, light);
}

} // namespace

void BevelLooks::draw(gdi::Canvas &c, const ButtonFaceInput &in, ButtonState state)
{
    const int W = c.width();
    const int H = c.height();
    const ColorRef face = ClassicLooks::faceColor(in, state);
    const ColorRef dark = offset(face, -112);
    ColorRef light = offset(face, 15);
    if (in.look == ButtonLook::LookBevel) {
        const int shade = state == ButtonState::Hot ? 8 : state == ButtonState::Pressed ? -24 : -6;
        c.fillRect(c.bounds(), offset(face, shade));
        if (state == ButtonState::Pressed)
            light = offset(face, -40);
    } else {
        c.fillRect(c.bounds(), face);
        const ColorRef top = offset(face, state == ButtonState::Hot ? 15 : 10);
        const ColorRef bottom = offset(face, state == ButtonState::Hot ? -20 : -30);
        const bool sunk = state == ButtonState::Pressed;
        if (!GradientLines::vertical(c, sunk ? bottom : top, sunk ? top : bottom, 1, 1, W - 1, H - 3))
            return;
        // Side shading: the left and right columns darken towards the edges.
        if (!GradientLines::horizontal(c, offset(face, -25), offset(face, -5), 1, 2, 4, H - 2))
            return;
        if (!GradientLines::horizontal(c, offset(face, -5), offset(face, -25), W - 5, 2, W - 2, H - 2))
            return;
        if (sunk)
            light = offset(face, -45);
    }
    if (state == ButtonState::Disabled)
        border(c, offset(face, -60), light);
    else
        border(c, dark, light);
}

} // namespace scrivlet
