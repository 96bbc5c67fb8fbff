#include "app/core/folder_scan.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace {

// Name order as NTFS keeps it: by the upper-cased names, so "_x" follows the letters, with an
// ordinal tie-break so that "B" and "b" always come in the same order.
QStringList sortedNames(const QDir &dir, QDir::Filters filters)
{
    const QStringList names = dir.entryList(filters, QDir::Unsorted);
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(static_cast<std::size_t>(names.size()));
    for (const QString &name : names)
        keyed.emplace_back(name.toUpper(), name);
    std::sort(keyed.begin(), keyed.end());
    QStringList sorted;
    sorted.reserve(names.size());
    for (auto &entry : keyed)
        sorted.append(std::move(entry.second));
    return sorted;
}

bool matchesEverything(const QString &fileSpec)
{
    return fileSpec.isEmpty() || fileSpec == QLatin1String("*") || fileSpec == QLatin1String("*.*");
}

} // namespace

QString FolderScan::trailingSlash(const QString &folder)
{
    if (folder.isEmpty())
        return folder;
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QDir::separator()))
        return folder;
    return folder + QDir::separator();
}

QString FolderScan::extensionName(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QDir::separator()));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash)
        return QString();
    return path.mid(dot + 1);
}

bool FolderScan::isExcluded(const QString &path)
{
    return extensionName(path) == QLatin1String("db");
}

QStringList FolderScan::folderFiles(const QString &folder)
{
    // Only regular files (and links to them): QDir::System would add FIFOs, sockets, devices and
    // dangling links.
    const QDir dir(folder);
    const QStringList names = sortedNames(dir, QDir::Files | QDir::Hidden);
    const QString prefix = folder + QDir::separator();
    QStringList paths;
    paths.reserve(names.size());
    for (const QString &name : names)
        paths.append(prefix + name);
    return paths;
}

void FolderScan::recursiveDir(QStringList &colFiles, QString &strFolder, const QString &strFileSpec,
                              bool bIncludeSubfolders)
{
    strFolder = trailingSlash(strFolder);
    if (strFolder.isEmpty())
        return;
    const QStringList patterns = matchesEverything(strFileSpec) ? QStringList() : QStringList(strFileSpec);

    // Depth first with an explicit stack instead of recursion, so that a very deep tree cannot
    // exhaust the call stack; folders are pushed in reverse so they are visited in name order.
    std::vector<QString> pending{strFolder};
    while (!pending.empty()) {
        const QString folder = pending.back();
        pending.pop_back();
        QDir dir(folder);
        dir.setNameFilters(patterns);
        for (const QString &name : sortedNames(dir, QDir::Files))
            colFiles.append(folder + name);
        if (!bIncludeSubfolders)
            continue;
        // Links to folders are not followed: they could lead back up the tree (a loop) or out of it.
        dir.setNameFilters(QStringList());
        const QStringList subfolders = sortedNames(dir, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
        for (auto it = subfolders.crbegin(); it != subfolders.crend(); ++it)
            pending.push_back(folder + *it + QDir::separator());
    }
}

QStringList FolderScan::scanForRows(const QString &folder, bool includeSubfolders)
{
    if (!QFileInfo(folder).isDir())
        return {};
    QStringList found;
    if (includeSubfolders) {
        QString start = folder;
        recursiveDir(found, start, QStringLiteral("*.*"), true);
    } else {
        found = folderFiles(folder);
    }
    found.removeIf([](const QString &path) { return isExcluded(path); });
    return found;
}
