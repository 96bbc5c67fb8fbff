#include "app/core/folder_rows.h"

#include "core/folder_scan.h"

#include <QFile>

using scrivlet::core::FolderScan;

QStringList FolderRows::scan(const QString &folder, bool includeSubfolders)
{
    const auto found = FolderScan::scan(QFile::encodeName(folder).toStdString(), includeSubfolders);
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(found.files.size()));
    for (const std::string &path : found.files)
        rows.append(QFile::decodeName(QByteArray::fromStdString(path)));
    return rows;
}

bool FolderRows::isExcluded(const QString &path)
{
    return FolderScan::isExcluded(QFile::encodeName(path).toStdString());
}
