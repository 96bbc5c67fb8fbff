#pragma once
// Places and draws a button's icon: aligned by IconAlign within the margin, shifted while pressed,
// raised over a grey shadow for the highlight look when hot, grey while disabled.
#include "controls/raster/canvas.h"
#include "controls/styled_button/button_painter.h"

namespace scrivlet {

class IconPainter
{
public:
    static void draw(gdi::Canvas &canvas, const ButtonFaceInput &in, ButtonState state, int margin);

    // Where the icon's top-left corner goes before any pressed or raised shift.
    static gdi::Point position(int width, int height, int iconSize, qint32 iconAlign, int margin);

    // The icon in grey: neutral greys (0, 16, ..., 128, 160, ..., 240, 255) stay, every other
    // colour becomes round(0.33 R + 0.59 G + 0.11 B); transparency is kept.
    static QImage grayscale(const QImage &icon);

    // The picture with the mask colour left transparent; when grey, every other pixel becomes
    // round(round(0.3 R) + 0.59 G + 0.11 B).
    static QImage masked(const QImage &icon, gdi::ColorRef maskColor, bool grey);
};

} // namespace scrivlet
