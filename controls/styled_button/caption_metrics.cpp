#include "controls/styled_button/caption_metrics.h"

#include "controls/raster/canvas.h"

#include <QImage>

namespace scrivlet {

namespace CaptionMetrics {

gdi::Rect measure(const QString &caption, const QFont &font, const gdi::Rect &box, bool rightToLeft)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    gdi::Canvas canvas(scratch);
    canvas.setFont(font);
    gdi::Rect rect = box;
    unsigned flags = gdi::DT_CALCRECT | gdi::DT_WORDBREAK;
    if (rightToLeft)
        flags |= gdi::DT_RTLREADING;
    canvas.drawText(caption, rect, flags);
    return rect;
}

} // namespace CaptionMetrics

} // namespace scrivlet
