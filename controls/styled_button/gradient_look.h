#pragma once
// The gradient looks (styles 5 and 7): a vertical gradient face with a dark blue border and cut
// corners, an orange inner frame while hot and a blue one while focused or shown as default.
#include "controls/raster/canvas.h"
#include "controls/styled_button/button_painter.h"

namespace scrivlet {

class GradientLook
{
public:
    // Draws the face for state and returns the background colour it leaves. Style 5 without custom
    // colours uses the fixed shades; style 5 with them derives the shades from the back colour and
    // the highlight colours, style 7 from the system face and highlight colours.
    static gdi::ColorRef draw(gdi::Canvas &canvas, const ButtonFaceInput &in, ButtonState state);
};

} // namespace scrivlet
