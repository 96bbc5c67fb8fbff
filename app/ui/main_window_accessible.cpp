#include "app/ui/main_window_accessible.h"

#include "app/ui/main_window.h"
#include "app/ui/text_box.h"
#include "controls/accessibility/control_accessibility.h"

namespace scrivlet {

namespace {

QAccessibleInterface *createForMainWindow(const QString &className, QObject *object)
{
    auto *window = qobject_cast<MainWindow *>(object);
    if (window == nullptr || className != QLatin1String(MainWindow::staticMetaObject.className()))
        return nullptr;
    return new MainWindowAccessible(window);
}

} // namespace

MainWindowAccessible::MainWindowAccessible(MainWindow *window)
    : QAccessibleWidget(window, QAccessible::Window)
{}

void MainWindowAccessible::install()
{
    static const bool installed = [] {
        ControlAccessibility::install();
        QAccessible::installFactory(&createForMainWindow);
        return true;
    }();
    Q_UNUSED(installed);
}

QList<QWidget *> MainWindowAccessible::children() const
{
    const auto *window = static_cast<const MainWindow *>(widget());
    QList<QWidget *> list;
    for (QObject *object : window->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        // Windows of their own (none today) are the application's children, not this window's.
        if (child != nullptr && !child->isWindow() && child != window->commentMirror())
            list.append(child);
    }
    return list;
}

int MainWindowAccessible::childCount() const
{
    return static_cast<int>(children().size());
}

QAccessibleInterface *MainWindowAccessible::child(int index) const
{
    const QList<QWidget *> list = children();
    if (index < 0 || index >= list.size())
        return nullptr;
    return QAccessible::queryAccessibleInterface(list.at(index));
}

int MainWindowAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (child == nullptr)
        return -1;
    return static_cast<int>(children().indexOf(qobject_cast<QWidget *>(child->object())));
}

} // namespace scrivlet
