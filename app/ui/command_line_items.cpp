#include "app/ui/command_line_items.h"

#include "app/ui/main_window.h"

#include <QFile>
#include <QStringList>

void CommandLineItems::add(MainWindow &window, const QList<QByteArray> &paths)
{
    if (paths.isEmpty())
        return;
    QStringList decoded;
    for (const QByteArray &path : paths)
        decoded << QFile::decodeName(path);
    window.addDroppedItems(decoded);
}
