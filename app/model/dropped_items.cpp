#include "app/model/dropped_items.h"

#include "app/model/file_path.h"
#include "app/model/folder_rows.h"

namespace scrivlet {

QByteArrayList DroppedItems::filesToAdd(const QByteArrayList &droppedPaths, bool includeSubfolders)
{
    QByteArrayList files;
    for (QByteArray path : droppedPaths) {
        // Folders often arrive as "/a/b/"; the scan adds its own separator.
        while (path.size() > 1 && path.endsWith('/'))
            path.chop(1);
        if (FilePath::isFolder(path))
            files += FolderRows::scan(path, includeSubfolders);
        else if (FilePath::fileSize(path) && !FolderRows::isExcluded(path))
            files.append(path);
        // Anything else (vanished, a device, a dangling link) is skipped.
    }
    return files;
}

} // namespace scrivlet
