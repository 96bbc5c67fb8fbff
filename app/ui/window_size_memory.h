#pragma once

#include <QObject>

class QWidget;

namespace scrivlet {

// Gives a resizable window the size and the maximised state it had when it was last closed, and
// remembers them when it closes again (UserSettings). Only the program's own run uses it: the
// screenshot and the tests show the window at its classic size, whatever a user left behind.
class WindowSizeMemory : public QObject
{
    Q_OBJECT
public:
    // Resizes the window to the remembered size, within its minimum size and the screen.
    explicit WindowSizeMemory(QWidget &window);

    // Shows the window, maximised when it was closed maximised.
    void show();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_window;
    bool m_maximized = false;
};

} // namespace scrivlet
