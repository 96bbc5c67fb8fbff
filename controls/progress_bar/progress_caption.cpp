#include "controls/progress_bar/progress_caption.h"

#include "controls/progress_bar/progress_rounding.h"
#include "controls/progress_bar/progress_toolkit.h"
#include "controls/raster/canvas.h"

namespace scrivlet {

using namespace progress;

namespace {
// Selects the caption font with a transparent background and puts the previous state back when
// it goes, so later looks (the hatch gaps) still paint their background.
class CaptionState
{
public:
    CaptionState(gdi::Canvas &dc, const QFont &font) : m_dc(dc), m_font(dc.font()), m_mode(dc.bkMode())
    {
        dc.setFont(font);
        dc.setBkMode(gdi::TRANSPARENT);
    }
    ~CaptionState()
    {
        m_dc.setFont(m_font);
        m_dc.setBkMode(m_mode);
    }
    CaptionState(const CaptionState &) = delete;
    CaptionState &operator=(const CaptionState &) = delete;

private:
    gdi::Canvas &m_dc;
    QFont m_font;
    int m_mode;
};
} // namespace

QString ProgressCaption::captionText(ProgressLook look, int percentage)
{
    if (look == ProgressLook::Searching)
        return QStringLiteral("Gathering Required Information");
    return QString::number(percentage) + QStringLiteral(" %");
}

double ProgressCaption::fillEdge() const
{
    return m_c.props.percentage / 100.0 * m_c.layout.client.right;
}

void ProgressCaption::DrawCaption()
{
    ProgressLayout &l = m_c.layout;
    l.captionText = captionText(m_c.props.look, m_c.props.percentage);
    if (!m_c.props.showText)
        return;
    {
        CaptionState state(m_c.dc, m_c.props.font);
        m_c.dc.setTextColor(m_c.props.look == ProgressLook::Dark ? ResolveColor(0xC0C0C0) : 0x000040);
        CenterCaption();
        // A two-tone caption wholly over the fill is drawn by the covered pass alone.
        if (!(twoTone() && fillEdge() > l.caption.right)) {
            gdi::Rect rect = l.caption;
            m_c.dc.drawText(l.captionText, rect, gdi::DT_SINGLELINE);
        }
    }
    if (twoTone())
        DrawCoveredCaption();
}

void ProgressCaption::CenterCaption()
{
    ProgressLayout &l = m_c.layout;
    gdi::Rect measure{0, 0, 0, 0};
    m_c.dc.drawText(l.captionText, measure, gdi::DT_SINGLELINE | gdi::DT_CALCRECT);
    const int w = measure.width(), h = measure.height();
    l.caption.left = roundToPixel(l.client.right / 2.0 - w / 2.0);
    l.caption.top = roundToPixel(l.client.bottom / 2.0 - h / 2.0);
    l.caption.right = l.caption.left + w;
    l.caption.bottom = l.caption.top + h;
}

void ProgressCaption::DrawCoveredCaption()
{
    ProgressLayout &l = m_c.layout;
    CaptionState state(m_c.dc, m_c.props.font);
    const double edge = fillEdge();
    if (edge < l.caption.left)
        return;
    m_c.dc.setTextColor(m_c.props.look == ProgressLook::Dark ? ResolveColor(LightenColor(m_c.props.color, 80))
                                                             : 0xFFFFFF);
    l.caption.left = roundToPixel(l.client.right / 2.0 - (l.caption.right - l.caption.left) / 2.0);
    l.caption.right = roundToPixel(edge);
    gdi::Rect rect = l.caption;
    m_c.dc.drawText(l.captionText, rect, gdi::DT_SINGLELINE);
}

} // namespace scrivlet
