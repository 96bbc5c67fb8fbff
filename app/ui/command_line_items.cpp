#include "app/ui/command_line_items.h"

#include "app/ui/main_window.h"

namespace scrivlet {

void CommandLineItems::add(MainWindow &window, const QList<QByteArray> &paths)
{
    if (paths.isEmpty())
        return;
    window.addDroppedItems(paths);
}

} // namespace scrivlet
