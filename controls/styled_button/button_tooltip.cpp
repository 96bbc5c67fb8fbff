#include "controls/styled_button/button_tooltip.h"

#include "controls/host/system_colors.h"
#include "controls/raster/standard_colors.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace scrivlet {

namespace {
constexpr int kPadding = 6;
constexpr int kStem = 10; // height of the balloon's stem
constexpr int kIconSide = 16;
constexpr int kHoverDelayMs = 500;
constexpr int kMaxTextWidth = 320;

QColor qcolor(gdi::ColorRef c)
{
    return QColor::fromRgb(gdi::toQRgb(c));
}

QStyle::StandardPixmap iconKind(qint32 icon)
{
    switch (icon) {
    case 2:
        return QStyle::SP_MessageBoxWarning;
    case 3:
        return QStyle::SP_MessageBoxCritical;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

bool hasIcon(qint32 icon)
{
    return icon >= 1 && icon <= 3;
}
} // namespace

ButtonTooltip::ButtonTooltip(const Content &content)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), m_content(content)
{
    setAttribute(Qt::WA_TranslucentBackground, m_content.balloon);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_delay.setSingleShot(true);
    m_delay.setInterval(kHoverDelayMs);
    connect(&m_delay, &QTimer::timeout, this, [this] {
        const QPoint below = m_anchor ? m_anchor->mapToGlobal(QPoint(0, m_anchor->height())) : QPoint();
        QPoint at = QCursor::pos() + QPoint(0, 20);
        if (m_anchor && !m_anchor->rect().contains(m_anchor->mapFromGlobal(QCursor::pos())))
            at = below;
        resize(sizeHint());
        move(at);
        show();
    });
}

gdi::ColorRef ButtonTooltip::backColor() const
{
    return m_content.background.value_or(SystemColors::translate(SystemColors::reference(gdi::COLOR_INFOBK)));
}

gdi::ColorRef ButtonTooltip::textColor() const
{
    const gdi::ColorRef standard = SystemColors::translate(SystemColors::reference(gdi::COLOR_INFOTEXT));
    const gdi::ColorRef text = m_content.foreground.value_or(standard);
    // The stored defaults can name the tip's background as its text colour; unreadable text helps
    // nobody, so the standard text colour is used then.
    return text == backColor() ? (standard == backColor() ? ~text & 0xFFFFFFu : standard) : text;
}

void ButtonTooltip::showSoonBelow(QWidget *anchor)
{
    m_anchor = anchor;
    m_delay.start();
}

QRect ButtonTooltip::textBox() const
{
    const QFontMetrics body(font());
    QRect box = body.boundingRect(QRect(0, 0, kMaxTextWidth, 10000), Qt::TextWordWrap, m_content.text);
    int titleHeight = 0;
    if (!m_content.title.isEmpty() || hasIcon(m_content.icon)) {
        QFont bold = font();
        bold.setBold(true);
        const QFontMetrics head(bold);
        titleHeight = std::max(head.height(), hasIcon(m_content.icon) ? kIconSide : 0) + 4;
        const int titleWidth =
            head.horizontalAdvance(m_content.title) + (hasIcon(m_content.icon) ? kIconSide + 4 : 0);
        box.setWidth(std::max(box.width(), titleWidth));
    }
    return QRect(kPadding, kPadding, box.width(), box.height() + titleHeight);
}

QSize ButtonTooltip::sizeHint() const
{
    const QRect box = textBox();
    return {box.width() + 2 * kPadding, box.height() + 2 * kPadding + (m_content.balloon ? kStem : 0)};
}

void ButtonTooltip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, m_content.balloon);
    const int stem = m_content.balloon ? kStem : 0;
    const QRectF body(0.5, stem + 0.5, width() - 1.0, height() - stem - 1.0);
    QPainterPath shape;
    if (m_content.balloon) {
        shape.addRoundedRect(body, 8, 8);
        QPainterPath tip;
        tip.moveTo(14, stem + 1);
        tip.lineTo(16, 0.5);
        tip.lineTo(28, stem + 1);
        tip.closeSubpath();
        shape = shape.united(tip);
    } else {
        shape.addRect(body);
    }
    p.setPen(qcolor(textColor()));
    p.setBrush(qcolor(backColor()));
    p.drawPath(shape);

    QRect box = textBox().translated(0, stem);
    if (!m_content.title.isEmpty() || hasIcon(m_content.icon)) {
        int x = box.left();
        if (hasIcon(m_content.icon)) {
            const QIcon icon = QApplication::style()->standardIcon(iconKind(m_content.icon));
            icon.paint(&p, QRect(x, box.top(), kIconSide, kIconSide));
            x += kIconSide + 4;
        }
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        const QFontMetrics head(bold);
        p.drawText(QRect(x, box.top(), box.right() - x + 1, head.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   m_content.title);
        const int used = std::max(head.height(), hasIcon(m_content.icon) ? kIconSide : 0) + 4;
        box.setTop(box.top() + used);
        p.setFont(font());
    }
    p.drawText(box, Qt::TextWordWrap, m_content.text);
}

} // namespace scrivlet
