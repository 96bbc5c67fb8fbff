#pragma once
// The themed look, style 6: the push button of the application's QStyle.
#include "controls/raster/canvas.h"
#include "controls/styled_button/button_painter.h"

#include <QRegion>

namespace scrivlet {

class ThemeLook
{
public:
    // Draws the style's push-button bevel (in.qstyle must be set). With rounded borders by theme,
    // returns the outline of the bevel drawn one pixel larger on every side; otherwise an empty
    // region.
    static QRegion draw(gdi::Canvas &canvas, const ButtonFaceInput &in, ButtonState state);
};

} // namespace scrivlet
