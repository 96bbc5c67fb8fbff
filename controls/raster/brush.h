#pragma once
// A GDI brush as a plain value: solid colour, one of the six 8 x 8 hatch patterns, a picture tiled
// as a pattern, or the null brush that paints nothing. Hatches and patterns are aligned to the
// canvas's brush origin, like GDI's.
#include "controls/raster/gdi_types.h"

#include <QImage>

namespace scrivlet {

namespace gdi {

class Brush
{
public:
    enum class Kind { Null, Solid, Hatch, Pattern };

    Brush() = default; // the null brush
    static Brush solid(ColorRef color);
    // The hatch's lines are drawn in color; its gaps in the canvas's background colour when the
    // background mode is OPAQUE, left alone when TRANSPARENT. An unknown style gives a null brush
    // (GDI's CreateHatchBrush fails for it).
    static Brush hatch(int style, ColorRef color);
    // The picture is tiled from the brush origin (a null picture gives a null brush).
    static Brush pattern(const QImage &picture);

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    ColorRef color() const { return m_color; }
    int hatchStyle() const { return m_hatchStyle; }
    const QImage &picture() const { return m_picture; }

    // Whether pixel (u, v) of a hatch style's 8 x 8 cell is a line pixel (u, v in 0..7, relative to
    // the brush origin). Row 3 is the horizontal line, column 4 the vertical one; the forward
    // diagonal runs from the cell's top-left to its bottom-right.
    static bool hatchBit(int style, int u, int v);

private:
    Kind m_kind = Kind::Null;
    ColorRef m_color = 0;
    int m_hatchStyle = 0;
    QImage m_picture;
};

} // namespace gdi

} // namespace scrivlet
