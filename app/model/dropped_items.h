#pragma once

#include <QByteArrayList>

namespace scrivlet {

/// The files that dropping items from the file manager adds to the file list.
///
/// A dropped file is added as it is; a dropped folder adds its files by the rules of a folder
/// scan (with or without its sub-folders). Files with the "db" extension are left out, and items
/// that no longer exist or cannot be listed are passed over, so one bad item never spoils a drop.
/// Paths are bytes throughout, as the file system spells them.
class DroppedItems
{
public:
    /// The paths to add, in the order they are added (the list shows the last one on top).
    static QByteArrayList filesToAdd(const QByteArrayList &droppedPaths, bool includeSubfolders);
};

} // namespace scrivlet
