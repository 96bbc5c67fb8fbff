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
    progress::FillSolidRect(layout.client, clamped.look == ProgressLook::Dark ? 0x000000 : 0xFFFFFF, dc);
    PanelLooks panel(context);
    switch (clamped.look) {
    case ProgressLook::Flat:
        panel.DrawFlatStyle();
        break;
    case ProgressLook::Etched:
        panel.DrawEtchedStyle();
        break;
    case ProgressLook::Shaded:
        panel.DrawShadedStyle();
        break;
    case ProgressLook::Dark:
        panel.DrawDarkStyle();
        break;
    case ProgressLook::Hatched:
        panel.DrawHatchStyle();
        break;
    case ProgressLook::Picture:
        panel.DrawPictureStyle();
        break;
    case ProgressLook::Glossy:
        panel.DrawGlossyStyle();
        break;
    default: // Blocks, Smooth, Searching and every value that names no look
        BarLooks(context).draw();
        break;
    }
    ProgressCaption(context).DrawCaption();
}

} // namespace scrivlet
