#pragma once
// What every look routine works with: the canvas, the bar's properties and the geometry fields
// that the routines read and leave behind.
#include "controls/progress_bar/progress_layout.h"
#include "controls/progress_bar/progress_props.h"

namespace scrivlet {

namespace gdi {
class Canvas;
}

struct LookContext
{
    gdi::Canvas &dc;
    const ProgressProps &props;
    ProgressLayout &layout;
};

} // namespace scrivlet
