#include "controls/progress_bar/panel_looks.h"

#include "controls/progress_bar/bar_looks.h"
#include "controls/progress_bar/progress_rounding.h"
#include "controls/progress_bar/progress_toolkit.h"
#include "controls/raster/canvas.h"

#include <limits>

namespace scrivlet {

using namespace progress;

int PanelLooks::fillEnd(double divisor, int inset) const
{
    const gdi::Rect &c = m_c.layout.client;
    return roundToPixel(m_c.props.percentage / divisor * (c.right - c.left - inset) + c.left);
}

void PanelLooks::DrawFlatStyle()
{
    ProgressLayout &l = m_c.layout;
    const ColorRef k = m_c.props.color;
    FrameSolidRect(l.client, LightenColor(k, 100), m_c.dc);
    l.fill = {1, 1, fillEnd(100.0, 0), l.client.bottom - 1};
    FillSolidRect(l.fill, LightenColor(k, 180), m_c.dc);
}

void PanelLooks::DrawEtchedStyle()
{
    const ColorRef k = m_c.props.color;
    gdi::Rect edge = m_c.layout.client;
    m_c.dc.drawEdge(edge, gdi::EDGE_ETCHED, gdi::BF_RECT);
    const int n = fillEnd(100.0, 4);
    DrawGradient(LightenColor(k, 140), LightenColor(k, 200), 2, 2, n, m_c.layout.client.bottom - 3, m_c.dc,
                 true);
}

void PanelLooks::DrawShadedStyle()
{
    ProgressLayout &l = m_c.layout;
    const ColorRef k = m_c.props.color;
    const int r = l.client.right, b = l.client.bottom;
    FrameSolidRect(l.client, LightenColor(k, 10), m_c.dc);
    // 101: the fill stops just short of the end even at 100 per cent.
    const int n = fillEnd(101.0, 0);
    l.fill.right = n;
    DrawGradient(k, LightenColor(k, 100), 2, 2, r - 2, b - 5, m_c.dc, false);
    DrawGradient(LightenColor(k, 250), k, 3, 3, n, b - 6, m_c.dc, false);
    DrawLine(n, 2, n, b - 2, m_c.dc, LightenColor(k, 25));
}

void PanelLooks::DrawDarkStyle()
{
    const ColorRef k = m_c.props.color;
    FrameSolidRect(m_c.layout.client, MixColors(k, 0, 200), m_c.dc);
    const ColorRef last = LightenColor(ResolveColor(MixColors(k, 0, 100)), 10);
    const int n = fillEnd(100.0, 5);
    DrawGradient(0x000000, last, 2, 2, n, m_c.layout.client.bottom - 2, m_c.dc, true);
}

void PanelLooks::DrawHatchStyle()
{
    ProgressLayout &l = m_c.layout;
    const ColorRef k = m_c.props.color;
    gdi::Rect edge = l.client;
    m_c.dc.drawEdge(edge, gdi::EDGE_BUMP, gdi::BF_RECT);
    l.fill = {2, 2, fillEnd(101.0, 0), l.client.bottom - 2};
    // The style is taken as a 16-bit integer; one that does not fit ends the routine.
    const int style = m_c.props.brushStyle;
    if (style < std::numeric_limits<std::int16_t>::min() || style > std::numeric_limits<std::int16_t>::max())
        return;
    const gdi::Brush brush = gdi::Brush::hatch(style, ResolveColor(k));
    // The gaps between the hatch lines take the background colour; it stays set on the canvas.
    m_c.dc.setBkColor(LightenColor(k, 140));
    if (!brush.isNull())
        m_c.dc.fillRect(l.fill, brush);
}

void PanelLooks::DrawPictureStyle()
{
    ProgressLayout &l = m_c.layout;
    gdi::Rect edge = l.client;
    m_c.dc.drawEdge(edge, gdi::BDR_SUNKENOUTER, gdi::BF_RECT);
    if (m_c.props.image.isNull())
        return;
    const int n = fillEnd(101.0, 0);
    l.fill.right = n;
    const gdi::Brush brush = gdi::Brush::pattern(m_c.props.image);
    m_c.dc.fillRect(gdi::Rect{2, 2, 2 + n, 2 + l.client.bottom - 4}, brush);
}

void PanelLooks::DrawGlossyStyle()
{
    ProgressLayout &l = m_c.layout;
    const ColorRef k = m_c.props.color;
    const int r = l.client.right, b = l.client.bottom;
    const int h = roundToPixel((b - 3) / 2.0);
    const int n = fillEnd(100.0, 4);
    l.fill.right = n;
    DrawGradient(0xFFFFFF, 0xC0C0C0, 2, 2, r - 3, h, m_c.dc, false);
    DrawGradient(MixColors(0xC0C0C0, 0, 255), 0xC0C0C0, 2, h, r - 3, h, m_c.dc, false);
    DrawGradient(LightenColor(k, 150), MixColors(k, 0, 180), 2, 2, n, h, m_c.dc, false);
    DrawGradient(MixColors(k, 0, 190), k, 2, h, n, h, m_c.dc, false);
    l.client.left += 3;
    BarLooks(m_c).DrawBarFrame();
}

} // namespace scrivlet
