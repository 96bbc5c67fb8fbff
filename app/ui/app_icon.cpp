#include "app/ui/app_icon.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace scrivlet {

QImage AppIcon::image(int size)
{
    // Designed on a 32-pixel grid: larger sizes are drawn as vectors (sharp at 256 pixels for the
    // icon theme), smaller ones are scaled down from 32 so they keep its weight.
    const int canvas = std::max(size, 32);
    QImage image(canvas, canvas, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(canvas / 32.0, canvas / 32.0);

    // The page, its top-right corner folded over.
    QPainterPath page;
    page.moveTo(5.5, 2.5);
    page.lineTo(19.5, 2.5);
    page.lineTo(26.5, 9.5);
    page.lineTo(26.5, 29.5);
    page.lineTo(5.5, 29.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(70, 80, 100), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(19.5, 2.5);
    fold.lineTo(19.5, 9.5);
    fold.lineTo(26.5, 9.5);
    p.setBrush(QColor(210, 215, 225));
    p.drawPath(fold);

    // Lines of text.
    p.setPen(QPen(QColor(150, 160, 180), 1));
    for (int y = 8; y <= 26; y += 3)
        p.drawLine(QPointF(8.5, y + 0.5), QPointF(y < 11 ? 17.5 : 23.5, y + 0.5));

    // The note, slightly tilted over the lower half of the page.
    p.translate(17, 20);
    p.rotate(-8);
    p.setPen(QPen(QColor(160, 120, 0), 1));
    p.setBrush(QColor(255, 220, 60));
    p.drawRect(QRectF(-4.5, -5.5, 13, 12));
    p.setPen(QPen(QColor(140, 100, 0), 1));
    p.drawLine(QPointF(-2.5, -1.5), QPointF(6.5, -1.5));
    p.drawLine(QPointF(-2.5, 1.5), QPointF(6.5, 1.5));
    p.drawLine(QPointF(-2.5, 4.5), QPointF(3.5, 4.5));
    p.end();
    if (size == canvas)
        return image;
    return image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QIcon AppIcon::icon()
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(image(32)));
    icon.addPixmap(QPixmap::fromImage(image(16)));
    return icon;
}

} // namespace scrivlet
