#include "app/ui/growing_layout.h"

#include <QEvent>
#include <QWidget>
#include <cmath>

namespace scrivlet {

namespace {

int scaled(int x, double factor)
{
    return static_cast<int>(std::lround(x * factor));
}

} // namespace

GrowingLayout::GrowingLayout(QWidget &window) : QObject(&window), m_window(window), m_classic(window.size())
{
    window.installEventFilter(this);
}

void GrowingLayout::add(QWidget *control, Across across, Down down)
{
    m_items.append({control, control->geometry(), across, down});
}

void GrowingLayout::apply(const QSize &size)
{
    const int extraWidth = size.width() - m_classic.width();
    const int extraHeight = size.height() - m_classic.height();
    // Rounded down, so a window one pixel taller than classic gives that pixel to the second area.
    const int mainShare = static_cast<int>(std::floor(extraHeight * 2.0 / 3.0));
    const int secondShare = extraHeight - mainShare;
    const double narrowing = extraWidth < 0 ? double(size.width()) / m_classic.width() : 1.0;

    for (const Item &item : std::as_const(m_items)) {
        if (!item.control)
            continue;
        QRect r = item.classic;
        if (extraWidth < 0) {
            const int left = scaled(r.x(), narrowing);
            r = QRect(left, r.y(), scaled(r.x() + r.width(), narrowing) - left, r.height());
        } else if (item.across == Across::Right) {
            r.translate(extraWidth, 0);
        } else if (item.across == Across::Stretch) {
            r.setWidth(r.width() + extraWidth);
        }
        switch (item.down) {
        case Down::Top:
            break;
        case Down::Bottom:
            r.translate(0, extraHeight);
            break;
        case Down::MainArea:
            r.setHeight(r.height() + mainShare);
            break;
        case Down::SecondArea:
            r.translate(0, mainShare);
            r.setHeight(r.height() + secondShare);
            break;
        case Down::InSecondArea:
            r.setHeight(r.height() + secondShare);
            break;
        }
        item.control->setGeometry(r);
    }
}

bool GrowingLayout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Resize)
        apply(m_window.size());
    return QObject::eventFilter(watched, event);
}

} // namespace scrivlet
