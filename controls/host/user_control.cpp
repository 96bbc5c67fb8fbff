#include "controls/host/user_control.h"

#include "controls/raster/canvas.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QPainter>
#include <QShortcutEvent>

namespace scrivlet {

UserControl::UserControl(QWidget *parent) : QWidget(parent)
{}

void UserControl::setUserMode(bool running)
{
    if (running == m_userMode)
        return;
    m_userMode = running;
    ambientChanged(QStringLiteral("UserMode"));
}

void UserControl::setDisplayAsDefault(bool shownAsDefault)
{
    if (shownAsDefault == m_displayAsDefault)
        return;
    m_displayAsDefault = shownAsDefault;
    ambientChanged(QStringLiteral("DisplayAsDefault"));
}

QFont UserControl::defaultFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    return font;
}

void UserControl::doEvents()
{
    QCoreApplication::processEvents();
}

bool UserControl::sendTab(bool backwards)
{
    return focusNextPrevChild(!backwards);
}

QImage &UserControl::ensureSurface()
{
    // The surface covers the widget's device pixels, so high-DPI screens get drawn shapes and crisp
    // text rather than a 1x picture blown up.
    const qreal scale = devicePixelRatioF();
    const QImage shaped = gdi::Canvas::surfaceImage(size(), scale);
    if (m_surface.size() != shaped.size() || m_surface.devicePixelRatio() != scale) {
        QImage grown = shaped;
        grown.fill(Qt::white);
        if (!m_surface.isNull()) {
            QPainter painter(&grown);
            painter.drawImage(0, 0, m_surface);
        }
        m_surface = grown;
    }
    return m_surface;
}

void UserControl::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    if (m_surface.isNull())
        return;
    // The image carries its devicePixelRatio: it lands 1:1 on the device pixels, unsmoothed.
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_surface);
}

void UserControl::setAccessKeys(const QString &caption)
{
    if (m_accessKeyId != 0) {
        releaseShortcut(m_accessKeyId);
        m_accessKeyId = 0;
    }
    const QKeySequence key = QKeySequence::mnemonic(caption);
    if (!key.isEmpty())
        m_accessKeyId = grabShortcut(key);
}

bool UserControl::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && m_accessKeyId != 0 &&
        static_cast<QShortcutEvent *>(event)->shortcutId() == m_accessKeyId) {
        accessKeyPressed();
        return true;
    }
    return QWidget::event(event);
}

} // namespace scrivlet
