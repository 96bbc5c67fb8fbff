#include "app/ui/command_line_items.h"

#include "app/ui/file_drop.h"
#include "app/ui/main_window.h"

#include <QFile>
#include <QStringList>

void CommandLineItems::add(MainWindow &window, const QList<QByteArray> &paths)
{
    if (paths.isEmpty())
        return;
    // The window's flows own the drop handler; there is exactly one.
    auto *drop = window.findChild<FileDrop *>();
    if (drop == nullptr)
        return;
    QStringList decoded;
    for (const QByteArray &path : paths)
        decoded << QFile::decodeName(path);
    drop->drop(decoded);
}
