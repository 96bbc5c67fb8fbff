#include "controls/progress_bar/progress_toolkit.h"

#include "controls/progress_bar/progress_rounding.h"
#include "controls/raster/canvas.h"

#include <algorithm>
#include <optional>

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

void DrawLine(int X, int Y, int Width, int Height, gdi::Canvas &cHdc, ColorRef Color)
{
    // A wild percentage can stretch a line far beyond the canvas, and the canvas walks every
    // pixel of it. Straight lines keep the same pixels when their ends are pulled in to one pixel
    // outside the canvas, so they are.
    if (Y == Height) {
        X = std::clamp(X, -1, cHdc.width());
        Width = std::clamp(Width, -1, cHdc.width());
    } else if (X == Width) {
        Y = std::clamp(Y, -1, cHdc.height());
        Height = std::clamp(Height, -1, cHdc.height());
    }
    cHdc.drawLine(X, Y, Width, Height, ResolveColor(Color));
}

void DrawGradient(ColorRef &lEndColor, ColorRef &lStartcolor, int X, int Y, int Width, int Height,
                  gdi::Canvas &cHdc, bool &AlongX)
{
    lEndColor = ResolveColor(lEndColor);
    lStartcolor = ResolveColor(lStartcolor);
    const int n = AlongX ? Width : Height;
    float step[3] = {0.0f, 0.0f, 0.0f};
    int end[3] = {0, 0, 0};
    for (int c = 0; c < 3; ++c) {
        end[c] = channelOf(lEndColor, c);
        if (n != 0)
            step[c] = static_cast<float>(static_cast<double>(channelOf(lStartcolor, c) - end[c]) / n);
    }
    // A colour that cannot be built keeps the previous line's, as the failing step is skipped.
    ColorRef color = 0;
    for (int i = 0; i <= n; ++i) {
        const auto red = channelAt(end[0], step[0], i);
        const auto green = channelAt(end[1], step[1], i);
        const auto blue = channelAt(end[2], step[2], i);
        if (red && green && blue)
            color = gdi::RGB(*red, *green, *blue);
        if (AlongX)
            DrawLine(X + i, Y, X + i, Height, cHdc, color);
        else
            DrawLine(X, Y + i, Width, Y + i, cHdc, color);
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
