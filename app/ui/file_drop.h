#pragma once

#include <QObject>

class MainWindow;

/// Adds the files and folders dropped from the file manager onto the file list.
///
/// Watches the list's viewport: dropped files go on top of the list, dropped folders add their
/// files (with their sub-folders when "Process Sub-Folders" is ticked), then every row is ticked
/// and the commands and status text are brought up to date. A drop never shows a message.
class FileDrop : public QObject
{
    Q_OBJECT
public:
    FileDrop(MainWindow &window, QObject *parent);

    /// Adds the dropped items as a drop does.
    void drop(const QStringList &paths);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MainWindow &m_window;
};
