#pragma once
// The glossy look, style 10: a rounded glass face set pixel by pixel, one drawing for hot (also at
// rest with the focus), one for pressed and one at rest.
#include "controls/raster/canvas.h"
#include "controls/styled_button/button_painter.h"

namespace scrivlet {

class GlossyLook
{
public:
    static void draw(gdi::Canvas &canvas, const ButtonFaceInput &in, ButtonState state);
};

} // namespace scrivlet
