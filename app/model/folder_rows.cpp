#include "app/model/folder_rows.h"

#include "core/folder_scan.h"

namespace scrivlet {

using scrivlet::core::FolderScan;

QByteArrayList FolderRows::scan(const QByteArray &folder, bool includeSubfolders)
{
    const auto found = FolderScan::scan(folder.toStdString(), includeSubfolders);
    QByteArrayList rows;
    rows.reserve(static_cast<qsizetype>(found.files.size()));
    for (const std::string &path : found.files)
        rows.append(QByteArray::fromStdString(path));
    return rows;
}

bool FolderRows::isExcluded(const QByteArray &path)
{
    return FolderScan::isExcluded(std::string_view(path.constData(), static_cast<std::size_t>(path.size())));
}

} // namespace scrivlet
