#pragma once
// The system colours a button face may use, translated at the moment of drawing.
#include "controls/raster/edge_colors.h"
#include "controls/raster/gdi_types.h"

namespace scrivlet {

struct ButtonSystemColors
{
    gdi::ColorRef face = 0;       // button face
    gdi::ColorRef highlight = 0;  // selection highlight
    gdi::ColorRef buttonText = 0; // button text
    gdi::ColorRef grayText = 0;   // disabled text
    gdi::ColorRef window = 0;     // window background
    gdi::EdgeColors edges;        // the 3-D border colours
    bool dark = false;            // taken from a dark palette

    // As the host's colour translation gives them now (live palette or standard scheme).
    static ButtonSystemColors current();
};

} // namespace scrivlet
