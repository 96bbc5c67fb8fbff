#include "controls/progress_bar/progress_painter.h"

#include "controls/progress_bar/bar_looks.h"
#include "controls/progress_bar/panel_looks.h"
#include "controls/progress_bar/progress_caption.h"
#include "controls/progress_bar/progress_toolkit.h"

#include <algorithm>

namespace scrivlet {

void ProgressPainter::paint(gdi::Canvas &dc, const ProgressProps &props, int width, int height,
                            ProgressLayout &layout)
{
    ProgressProps clamped = props;
    clamped.percentage = std::min(props.percentage, 100);
    const LookContext context{dc, clamped, layout};
    layout.client = {0, 0, width, height};
    progress::FillSolidRect(layout.client, clamped.look == 6 ? 0x000000 : 0xFFFFFF, dc);
    PanelLooks panel(context);
    switch (clamped.look) {
    case 3:
        panel.DrawFlatStyle();
        break;
    case 4:
        panel.DrawEtchedStyle();
        break;
    case 5:
        panel.DrawShadedStyle();
        break;
    case 6:
        panel.DrawDarkStyle();
        break;
    case 7:
        panel.DrawHatchStyle();
        break;
    case 8:
        panel.DrawPictureStyle();
        break;
    case 9:
        panel.DrawGlossyStyle();
        break;
    default:
        BarLooks(context).draw();
        break;
    }
    ProgressCaption(context).DrawCaption();
}

} // namespace scrivlet
