#include "controls/progress_bar/bar_looks.h"

#include "controls/progress_bar/progress_rounding.h"
#include "controls/progress_bar/progress_toolkit.h"
#include "controls/raster/canvas.h"

namespace scrivlet {

using namespace progress;

void BarLooks::draw()
{
    LayoutBar();
    DrawBarFill();
    if (m_c.props.look == ProgressLook::Blocks)
        DrawSeparators();
    DrawBarFrame();
}

void BarLooks::LayoutBar()
{
    ProgressLayout &l = m_c.layout;
    l.blockWidth = m_c.props.look == ProgressLook::Blocks ? 6 : 0;
    l.blockGap = 2;
    l.client.left += 3;
    const int left = l.client.left;
    l.fill = l.client;
    // 98 rather than 100: the fill reaches the end a little early and the frame covers the excess.
    const double fraction = m_c.props.percentage / 98.0;
    l.fillFraction = fraction < 0 ? 0.0 : fraction;
    const int pitch = l.blockGap + l.blockWidth;
    if (horizontal()) {
        const int t = roundToPixel((l.client.right - left) * l.fillFraction + left);
        l.fill.right = t - (t - l.fill.left) % pitch;
        if (l.fill.right < left)
            l.fill.right = left;
    } else {
        const int t = roundToPixel((1 - l.fillFraction) * (l.client.bottom - l.client.top) + l.client.top);
        l.fill.top = t - (t - l.fill.bottom) % pitch;
        if (l.fill.top > l.client.bottom)
            l.fill.top = l.client.bottom;
    }
}

void BarLooks::DrawBarFill()
{
    ProgressLayout &l = m_c.layout;
    const int r = l.client.right, b = l.client.bottom;
    const ColorRef k = m_c.props.color;
    const bool alongX = !horizontal();
    if (horizontal()) {
        if (l.fill.right < 15)
            l.fill.right = 12; // a stub always shows
        const gdi::Rect f{4, 8, l.fill.right + 4 > r ? l.fill.right - 4 : l.fill.right, b - 8};
        if (m_c.props.look == ProgressLook::Searching)
            return drawThreeBlocks();
        DrawGradient(LightenColor(k, 150), k, 4, 3, f.right, 6, m_c.dc, alongX);
        FillSolidRect(f, k, m_c.dc);
        DrawGradient(k, LightenColor(k, 150), 4, b - 10, f.right, 6, m_c.dc, alongX);
    } else {
        const gdi::Rect f{9, l.fill.top, r - 8, b};
        if (m_c.props.look == ProgressLook::Searching)
            return drawThreeBlocks();
        DrawGradient(LightenColor(k, 150), k, 4, l.fill.top, 4, b, m_c.dc, alongX);
        FillSolidRect(f, k, m_c.dc);
        DrawGradient(k, LightenColor(k, 150), r - 8, l.fill.top, 4, b, m_c.dc, alongX);
    }
}

void BarLooks::drawThreeBlocks()
{
    const ProgressLayout &l = m_c.layout;
    const ColorRef k = m_c.props.color;
    const int p = m_c.props.percentage;
    for (int i = 0; i < 3; ++i) {
        const ColorRef first = LightenColor(k, 220 - 40 * i), last = LightenColor(k, 200 - 40 * i);
        if (horizontal()) {
            // The blocks trail the fill edge by 45 pixels at 0 per cent and catch up at 100.
            const int x = roundToPixel(l.fill.right + 12 * i - (100.0 - p) / 100.0 * 45);
            DrawGradient(first, last, x, 3, 9, l.client.bottom - 2, m_c.dc, true);
        } else {
            DrawGradient(first, last, l.client.right - 2, l.fill.top + 12 * i, 2, 9, m_c.dc, false);
        }
    }
}

void BarLooks::DrawSeparators()
{
    ProgressLayout &l = m_c.layout;
    const int pitch = l.blockGap + l.blockWidth;
    l.separator = l.client;
    if (horizontal()) {
        for (int x = l.fill.left + l.blockWidth; x <= l.fill.right; x += pitch) {
            l.separator.left = x + 1;
            l.separator.right = x + 1 + l.blockGap;
            FillSolidRect(l.separator, 0xFFFFFF, m_c.dc);
        }
    } else {
        for (int y = l.fill.bottom; y >= l.fill.top + l.blockWidth; y -= pitch) {
            l.separator.top = y - 2;
            l.separator.bottom = y - 2 + l.blockGap;
            FillSolidRect(l.separator, 0xFFFFFF, m_c.dc);
        }
    }
}

void BarLooks::DrawBarFrame()
{
    ProgressLayout &l = m_c.layout;
    l.client.left -= 3;
    const int r = l.client.right, b = l.client.bottom;
    gdi::Canvas &dc = m_c.dc;
    DrawLine(2, 1, r - 2, 1, dc, 0xBEBEBE);
    DrawLine(2, b - 2, r - 2, b - 2, dc, 0xEFEFEF);
    DrawLine(1, 2, 1, b - 2, dc, 0xBEBEBE);
    DrawLine(2, 2, 2, b - 2, dc, 0xEFEFEF);
    DrawLine(2, 2, r - 2, 2, dc, 0xEFEFEF);
    DrawLine(r - 2, 2, r - 2, b - 2, dc, 0xEFEFEF);
    FrameSolidRect(l.client, 0x686868, dc);
    // Rounded corners: the left column first, top to bottom, then the right one.
    const struct
    {
        int x, y;
        ColorRef color;
    } corners[] = {{0, 0, 0xFFFFFF},         {0, 1, 0xA6ABAC},         {0, 2, 0x7D7E7F},
                   {1, 0, 0xA7ABAC},         {1, 1, 0x777777},         {2, 0, 0x7D7E7F},
                   {2, 2, 0xBEBEBE},         {0, b - 1, 0xFFFFFF},     {1, b - 1, 0xA6ABAC},
                   {2, b - 1, 0x7D7E7F},     {0, b - 3, 0x7D7E7F},     {0, b - 2, 0xA7ABAC},
                   {1, b - 2, 0x777777},     {r - 1, 0, 0xFFFFFF},     {r - 1, 1, 0xBEBEBE},
                   {r - 1, 2, 0x7D7E7F},     {r - 2, 2, 0xBEBEBE},     {r - 2, 1, 0x686868},
                   {r - 1, b - 1, 0xFFFFFF}, {r - 1, b - 2, 0xBEBEBE}, {r - 1, b - 3, 0x7D7E7F},
                   {r - 2, b - 2, 0x777777}, {r - 2, b - 1, 0xBEBEBE}, {r - 3, b - 1, 0x7D7E7F}};
    for (const auto &corner : corners)
        dc.setPixel(corner.x, corner.y, corner.color);
}

} // namespace scrivlet
