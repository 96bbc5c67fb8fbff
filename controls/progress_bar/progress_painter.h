#pragma once
// ProgressPainter: draws a progress bar of a given size onto a canvas from a snapshot of its
// properties: the background (black for the dark look, else white), the look, the caption.
// layout holds the geometry the previous drawing left and receives this drawing's.
#include "controls/progress_bar/progress_layout.h"
#include "controls/progress_bar/progress_props.h"

namespace scrivlet {

namespace gdi {
class Canvas;
}

class ProgressPainter
{
public:
    static void paint(gdi::Canvas &dc, const ProgressProps &props, int width, int height,
                      ProgressLayout &layout);
};

} // namespace scrivlet
