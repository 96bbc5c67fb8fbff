#pragma once
// What the painter needs to know of a progress bar: a snapshot of its properties.
#include "controls/progress_bar/progress_colors.h"

#include <QFont>
#include <QImage>

namespace scrivlet {

struct ProgressProps
{
    int percentage = 0;           // at most 100 by the time it is drawn
    int look = 0;                 // `Scrolling`
    int orientation = 0;          // 0 horizontal, else vertical (looks 0 to 2)
    int brushStyle = 0;           // hatch style of look 7
    progress::ColorRef color = 0; // resolved RGB
    QImage image;                 // pattern of look 8; null when none
    bool showText = false;
    QFont font;
};

} // namespace scrivlet
