#pragma once
// What the painter needs to know of a progress bar: its drawing properties, kept by the bar in
// this form so that drawing takes them as they are.
#include "controls/progress_bar/progress_colors.h"
#include "controls/progress_bar/progress_look.h"

#include <QFont>
#include <QImage>

namespace scrivlet {

struct ProgressProps
{
    int percentage = 0;                       // at most 100 by the time it is drawn
    ProgressLook look = ProgressLook::Blocks; // `Scrolling`
    int orientation = 0;                      // 0 horizontal, else vertical (looks 0 to 2)
    int brushStyle = 0;                       // hatch style of look 7
    progress::ColorRef color = 0;             // resolved RGB
    QImage image;                             // pattern of look 8; null when none
    bool showText = false;
    QFont font;
};

} // namespace scrivlet
