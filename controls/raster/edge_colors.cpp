#include "controls/raster/edge_colors.h"

#include "controls/raster/standard_colors.h"

namespace scrivlet {

namespace gdi {

EdgeColors EdgeColors::standard()
{
    EdgeColors colors;
    colors.highlight = *standardSysColor(COLOR_BTNHIGHLIGHT);
    colors.light = *standardSysColor(COLOR_3DLIGHT);
    colors.shadow = *standardSysColor(COLOR_BTNSHADOW);
    colors.darkShadow = *standardSysColor(COLOR_3DDKSHADOW);
    colors.face = *standardSysColor(COLOR_BTNFACE);
    colors.window = *standardSysColor(COLOR_WINDOW);
    colors.windowFrame = *standardSysColor(COLOR_WINDOWFRAME);
    return colors;
}

} // namespace gdi

} // namespace scrivlet
