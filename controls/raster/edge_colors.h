#pragma once
// The colours of 3-D borders (DrawEdge): taken from the system colours, so they follow the scheme
// the host translates with.
#include "controls/raster/gdi_types.h"

namespace scrivlet {

namespace gdi {

struct EdgeColors
{
    ColorRef highlight = 0;   // COLOR_BTNHIGHLIGHT (20): raised inner top-left, sunken outer bottom-right
    ColorRef light = 0;       // COLOR_3DLIGHT (22): raised outer top-left, sunken inner bottom-right
    ColorRef shadow = 0;      // COLOR_BTNSHADOW (16): sunken outer top-left, raised inner bottom-right
    ColorRef darkShadow = 0;  // COLOR_3DDKSHADOW (21): raised outer bottom-right, sunken inner top-left
    ColorRef face = 0;        // COLOR_BTNFACE (15): BF_MIDDLE and the inner line of BF_FLAT
    ColorRef window = 0;      // COLOR_WINDOW (5): inner line of BF_MONO
    ColorRef windowFrame = 0; // COLOR_WINDOWFRAME (6): outline of BF_MONO

    // The standard scheme's values (controls/raster/standard_colors.h).
    static EdgeColors standard();
    friend bool operator==(const EdgeColors &, const EdgeColors &) = default;
};

} // namespace gdi

} // namespace scrivlet
