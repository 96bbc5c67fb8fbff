#pragma once

#include <QByteArray>
#include <QByteArrayList>

namespace scrivlet {

/// The rows a folder scan adds to the file list (Browse in "Multiple" mode, dropped folders):
/// core's scan, which reads names as bytes; the paths stay bytes, so every name can be listed.
class FolderRows
{
public:
    /// The paths to add, in the order they are added (the list shows them reversed). Folders that
    /// cannot be listed are passed over.
    static QByteArrayList scan(const QByteArray &folder, bool includeSubfolders);
    /// Whether scans and drops leave the file out (its extension is exactly "db").
    static bool isExcluded(const QByteArray &path);
};

} // namespace scrivlet
