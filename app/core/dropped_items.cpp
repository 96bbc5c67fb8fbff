#include "app/core/dropped_items.h"

#include "app/core/folder_rows.h"

#include <QFileInfo>

QStringList DroppedItems::filesToAdd(const QStringList &droppedPaths, bool includeSubfolders)
{
    QStringList files;
    for (QString path : droppedPaths) {
        // Folders often arrive as "/a/b/"; the scan adds its own separator.
        while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        const QFileInfo info(path);
        if (info.isDir())
            files += FolderRows::scan(path, includeSubfolders);
        else if (info.isFile() && !FolderRows::isExcluded(path))
            files.append(path);
        // Anything else (vanished, a device, a dangling link) is skipped.
    }
    return files;
}
