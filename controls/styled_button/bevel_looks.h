#pragma once
// The bevel looks, styles 8 (flat face in a shade of the face colour) and 9 (gradient face), both
// with trimmed corners matching their octagonal outline.
#include "controls/raster/canvas.h"
#include "controls/styled_button/button_painter.h"

namespace scrivlet {

class BevelLooks
{
public:
    static void draw(gdi::Canvas &canvas, const ButtonFaceInput &in, ButtonState state);
};

} // namespace scrivlet
