#include "controls/host/user_control.h"

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
    const QSize wanted = size();
    if (m_surface.size() != wanted) {
        QImage grown(wanted, QImage::Format_RGB32);
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
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
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
