#include "controls/progress_bar/progress_toolkit.h"

#include "controls/progress_bar/progress_rounding.h"
#include "controls/raster/canvas.h"

#include <algorithm>
#include <optional>

namespace scrivlet {

namespace progress {
namespace {
int channelOf(ColorRef c, int index)
{
    switch (index) {
    case 0:
        return static_cast<int>(c & 0xFFu);
    case 1:
        return static_cast<int>((c / 256u) & 0xFFu);
    default:
        return static_cast<int>((c & 0xFF0000u) / 65536u);
    }
}

// One channel of line i; nothing when it leaves the byte range, as building such a colour fails.
std::optional<int> channelAt(int end, float step, int i)
{
    const auto value = roundToInt32(static_cast<double>(end) + static_cast<double>(step) * i);
    if (!value || *value < 0 || *value > 255)
        return std::nullopt;
    return *value;
}
} // namespace

void DrawLine(int x1, int y1, int x2, int y2, gdi::Canvas &dc, ColorRef color)
{
    // A wild percentage can stretch a line far beyond the canvas, and the canvas walks every
    // pixel of it. Straight lines keep the same pixels when their ends are pulled in to one pixel
    // outside the canvas, so they are.
    if (y1 == y2) {
        x1 = std::clamp(x1, -1, dc.width());
        x2 = std::clamp(x2, -1, dc.width());
    } else if (x1 == x2) {
        y1 = std::clamp(y1, -1, dc.height());
        y2 = std::clamp(y2, -1, dc.height());
    }
    dc.drawLine(x1, y1, x2, y2, ResolveColor(color));
}

void DrawGradient(ColorRef first, ColorRef last, int x, int y, int width, int height, gdi::Canvas &dc,
                  bool alongX)
{
    first = ResolveColor(first);
    last = ResolveColor(last);
    const int n = alongX ? width : height;
    float step[3] = {0.0f, 0.0f, 0.0f};
    int end[3] = {0, 0, 0};
    for (int c = 0; c < 3; ++c) {
        end[c] = channelOf(first, c);
        if (n != 0)
            step[c] = static_cast<float>(static_cast<double>(channelOf(last, c) - end[c]) / n);
    }
    // A colour that cannot be built keeps the previous line's, as the failing step is skipped.
    ColorRef color = 0;
    for (int i = 0; i <= n; ++i) {
        const auto red = channelAt(end[0], step[0], i);
        const auto green = channelAt(end[1], step[1], i);
        const auto blue = channelAt(end[2], step[2], i);
        if (red && green && blue)
            color = gdi::RGB(*red, *green, *blue);
        if (alongX)
            DrawLine(x + i, y, x + i, height, dc, color);
        else
            DrawLine(x, y + i, width, y + i, dc, color);
    }
}

void FillSolidRect(const gdi::Rect &rect, ColorRef color, gdi::Canvas &dc)
{
    dc.fillRect(rect, ResolveColor(color));
}

void FrameSolidRect(const gdi::Rect &rect, ColorRef color, gdi::Canvas &dc)
{
    // A solid brush takes the colour's RGB bytes only.
    dc.frameRect(rect, color & 0xFFFFFFu);
}

} // namespace progress

} // namespace scrivlet
