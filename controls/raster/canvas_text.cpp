// Canvas::drawText: the one primitive drawn with QPainter, since glyphs cannot be pixel-exact
// across font engines anyway. The layout follows GDI's DrawText: every line is the font's height
// (ascent + descent, no leading), lines break between words only with DT_WORDBREAK, "&" marks
// are taken out and underline the next character, and alignment is done here, in whole pixels.
#include "controls/raster/canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace scrivlet {

namespace gdi {

namespace {

struct PreparedText
{
    QString text;
    QList<int> underlined; // positions in text of access-key characters
};

PreparedText prepare(const QString &source, unsigned format)
{
    PreparedText prepared;
    const bool prefixes = !(format & DT_NOPREFIX);
    for (qsizetype i = 0; i < source.size(); ++i) {
        QChar ch = source.at(i);
        if (prefixes && ch == QLatin1Char('&')) {
            if (i + 1 >= source.size())
                break; // a lone trailing mark names nothing
            ++i;
            ch = source.at(i);
            if (ch != QLatin1Char('&'))
                prepared.underlined.append(static_cast<int>(prepared.text.size()));
        }
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            if (format & DT_SINGLELINE) {
                prepared.text += QLatin1Char(' ');
                continue;
            }
            // CR LF is one break.
            if (ch == QLatin1Char('\r') && i + 1 < source.size() && source.at(i + 1) == QLatin1Char('\n'))
                ++i;
            prepared.text += QChar(QChar::LineSeparator);
            continue;
        }
        prepared.text += ch;
    }
    return prepared;
}

} // namespace

int Canvas::drawText(const QString &source, Rect &rect, unsigned format)
{
    if (source.isEmpty()) {
        if (format & DT_CALCRECT) {
            rect.right = rect.left;
            rect.bottom = rect.top;
        }
        return 0;
    }
    const QFontMetrics metrics(m_font, m_image);
    const int lineHeight = metrics.height();
    const PreparedText prepared = prepare(source, format);

    QTextLayout layout(prepared.text, m_font, m_image);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection((format & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight);
    const bool wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    if (format & DT_EXPANDTABS)
        option.setTabStopDistance(8.0 * metrics.horizontalAdvance(QLatin1Char('x')));
    layout.setTextOption(option);
    if (!(format & DT_HIDEPREFIX)) {
        QList<QTextLayout::FormatRange> ranges;
        for (const int position : prepared.underlined) {
            QTextLayout::FormatRange range;
            range.start = position;
            range.length = 1;
            range.format.setFontUnderline(true);
            ranges.append(range);
        }
        layout.setFormats(ranges);
    }

    const double wrapWidth = wrap ? std::max(rect.width(), 1) : 1e7;
    QList<int> widths;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(wrapWidth);
        widths.append(static_cast<int>(std::ceil(line.naturalTextWidth())));
    }
    layout.endLayout();
    const int lines = static_cast<int>(widths.size());
    const int textHeight = lines * lineHeight;
    int widest = 0;
    for (const int w : widths)
        widest = std::max(widest, w);

    if (format & DT_CALCRECT) {
        rect.right = rect.left + widest;
        rect.bottom = rect.top + textHeight;
        return textHeight;
    }

    // Vertical placement only for single-line text, as GDI does.
    int top = rect.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = rect.top + (rect.height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = rect.bottom - lineHeight;
    }

    QPainter painter(m_image);
    if (!(format & DT_NOCLIP))
        painter.setClipRect(
            QRect(rect.left, rect.top, std::max(rect.width(), 0), std::max(rect.height(), 0)));
    painter.setPen(QColor::fromRgb(toQRgb(m_textColor)));
    for (int i = 0; i < lines; ++i) {
        const QTextLine line = layout.lineAt(i);
        const int width = widths.at(i);
        int left = rect.left;
        if (format & DT_CENTER)
            left = rect.left + (rect.width() - width) / 2;
        else if (format & DT_RIGHT)
            left = rect.right - width;
        const int y = top + i * lineHeight;
        if (m_bkMode == OPAQUE)
            painter.fillRect(QRect(left, y, width, lineHeight), QColor::fromRgb(toQRgb(m_bkColor)));
        // Put the line's baseline where a line of the font's height has it.
        const QPointF origin(left - line.x(), y + metrics.ascent() - line.ascent() - line.y());
        line.draw(&painter, origin);
    }
    return top - rect.top + textHeight;
}

} // namespace gdi

} // namespace scrivlet
