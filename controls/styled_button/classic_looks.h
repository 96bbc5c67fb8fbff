#pragma once
// The flat and edged looks, styles 0 to 4: classic 3-D edges, thin edges, flat-until-hot, the soft
// frame and the highlight look. All rectangular, margin 3.
#include "controls/raster/canvas.h"
#include "controls/styled_button/button_painter.h"

namespace scrivlet {

class ClassicLooks
{
public:
    // Draws the face and returns the background colour it leaves.
    static gdi::ColorRef draw(gdi::Canvas &canvas, const ButtonFaceInput &in, ButtonState state,
                              gdi::ColorRef background);

    // The face colour of styles 0 to 2: with custom colours the back colour at rest (styles 1 and 2
    // also while disabled) and the highlight colour otherwise; without them the system face.
    static gdi::ColorRef faceColor(const ButtonFaceInput &in, ButtonState state);
};

} // namespace scrivlet
