#pragma once

#include <QAccessibleWidget>

namespace scrivlet {

class MainWindow;

// The main window as assistive tools see it: a window whose children are the controls a user can
// reach. The hidden mirror of the comment text is left out: it is the program's scratch copy, and a
// screen reader listing it would offer a second, invisible comment box.
class MainWindowAccessible : public QAccessibleWidget
{
public:
    explicit MainWindowAccessible(MainWindow *window);

    // Registers the interfaces of the main window and of the own controls; later calls do nothing.
    static void install();

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QList<QWidget *> children() const;
};

} // namespace scrivlet
