// Canvas::drawText: the one primitive drawn with QPainter, since glyphs cannot be pixel-exact
// across font engines anyway. The GDI format flags are mapped onto Qt's text flags.
#include "controls/raster/canvas.h"

#include <QFontMetrics>
#include <QPainter>

namespace gdi {

namespace {

int qtTextFlags(unsigned format)
{
    int flags = Qt::AlignAbsolute; // DT_LEFT / DT_RIGHT stay left / right in right-to-left text
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;

    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        // Vertical placement is only honoured for single-line text.
        if (format & DT_VCENTER)
            flags |= Qt::AlignVCenter;
        else if (format & DT_BOTTOM)
            flags |= Qt::AlignBottom;
        else
            flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
        if (format & DT_WORDBREAK)
            flags |= Qt::TextWordWrap;
    }

    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (!(format & DT_NOPREFIX))
        flags |= (format & DT_HIDEPREFIX) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
    return flags;
}

} // namespace

int Canvas::drawText(const QString &text, Rect &rect, unsigned format)
{
    const int flags = qtTextFlags(format);
    const QFontMetrics metrics(m_font, m_image);
    const QRect box(rect.left, rect.top, std::max(rect.width(), 0), std::max(rect.height(), 0));
    if (text.isEmpty()) {
        if (format & DT_CALCRECT) {
            rect.right = rect.left;
            rect.bottom = rect.top;
        }
        return 0;
    }
    // Word breaking measures against the rectangle's width; everything else on one unbounded line.
    const QRect needed = metrics.boundingRect(box, flags, text);
    if (format & DT_CALCRECT) {
        rect.right = rect.left + needed.width();
        rect.bottom = rect.top + needed.height();
        return needed.height();
    }

    QPainter painter(m_image);
    painter.setFont(m_font);
    painter.setLayoutDirection((format & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
    if (!(format & DT_NOCLIP))
        painter.setClipRect(box);
    if (m_bkMode == OPAQUE)
        painter.fillRect(needed, QColor::fromRgb(toQRgb(m_bkColor)));
    painter.setPen(QColor::fromRgb(toQRgb(m_textColor)));
    painter.drawText(box, flags, text);
    return needed.height();
}

} // namespace gdi
