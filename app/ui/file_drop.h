#pragma once

#include <QObject>

namespace scrivlet {

class MainWindow;

/// Takes files and folders dragged from the file manager onto the window's file list, and lists
/// them as a drop does (MainWindow::addDroppedItems).
///
/// Only local files are taken: file URLs without a host or naming "localhost". The drop is always
/// answered as a copy, so the source never removes what was dropped.
class FileDrop : public QObject
{
    Q_OBJECT
public:
    FileDrop(MainWindow &window, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MainWindow &m_window;
};

} // namespace scrivlet
