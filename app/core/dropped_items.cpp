#include "app/core/dropped_items.h"

#include "app/core/folder_scan.h"

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
            files += FolderScan::scanForRows(path, includeSubfolders);
        else if (info.isFile() && !FolderScan::isExcluded(path))
            files.append(path);
        // Anything else (vanished, a device, a dangling link) is skipped.
    }
    return files;
}
