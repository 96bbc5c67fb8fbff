#include "app/ui/window_size_memory.h"

#include "app/model/user_settings.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace scrivlet {

WindowSizeMemory::WindowSizeMemory(QWidget &window) : QObject(&window), m_window(window)
{
    m_maximized = UserSettings::windowMaximized();
    QSize size = UserSettings::windowSize();
    if (size.isValid()) {
        // A size left on a larger screen shrinks to this one (the frame is left to showing).
        if (const QScreen *screen = window.screen())
            size = size.boundedTo(screen->availableGeometry().size());
        window.resize(size.expandedTo(window.minimumSize()).boundedTo(window.maximumSize()));
    }
    window.installEventFilter(this);
}

void WindowSizeMemory::show()
{
    // Shown at its normal size first, so that it is centred there and comes back there when the
    // user restores it.
    m_window.show();
    if (m_maximized)
        m_window.setWindowState(m_window.windowState() | Qt::WindowMaximized);
}

bool WindowSizeMemory::eventFilter(QObject *watched, QEvent *event)
{
    // The size to come back to is the one the window has when not maximised.
    if (watched == &m_window && event->type() == QEvent::Close && m_window.normalGeometry().isValid())
        UserSettings::setWindowPlacement(m_window.normalGeometry().size(), m_window.isMaximized());
    return QObject::eventFilter(watched, event);
}

} // namespace scrivlet
