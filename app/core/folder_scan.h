#pragma once

#include <QString>
#include <QStringList>

// The folder listings used to fill the file list (Browse in "Multiple" mode, dropped folders and
// the command-line tool), with one set of rules:
// - folderFiles: every regular file directly in a folder, hidden (dot) files included;
// - recursiveDir: regular, non-hidden files of a folder, then those of each non-hidden sub-folder,
//   depth first. Symbolic links to folders are never followed, folders that cannot be read are
//   passed over, and FIFOs, sockets and devices are never listed.
// Within one folder, names come in the order NTFS lists them (by their upper-cased form, then
// ordinally), so a scan gives the same order on every file system.
class FolderScan
{
public:
    // `folder` with the native separator appended unless it already ends in one; empty stays empty.
    static QString trailingSlash(const QString &folder);

    // The extension of a path's file name without its dot ("a.tar.gz" -> "gz"); empty when the
    // name has no dot.
    static QString extensionName(const QString &path);

    // Whether folder scans and drops leave the file out: its extension is exactly "db"
    // (lower case only; "DB" passes).
    static bool isExcluded(const QString &path);

    // The regular files directly inside `folder` (hidden ones included), each as `prefix` + name,
    // where prefix is `folder` followed by one separator, even when `folder` already ends in one
    // (a root "/" gives "//name", which names the same file). Empty when the folder cannot be read.
    static QStringList folderFiles(const QString &folder);

    // Appends to `colFiles` the regular, non-hidden files of `strFolder` whose names match
    // `strFileSpec` ("*.*" or "*" match every name), as TrailingSlash(strFolder) + name; then, when
    // `bIncludeSubfolders`, descends into each non-hidden sub-folder in name order. `strFolder` is
    // replaced by its TrailingSlash form. A folder that cannot be read adds nothing and the scan
    // goes on with the next one.
    static void recursiveDir(QStringList &colFiles, QString &strFolder, const QString &strFileSpec,
                             bool bIncludeSubfolders);

    // The paths a folder scan adds, in the order they are added (the list shows them reversed):
    // folderFiles or recursiveDir, then the "db" exclusion.
    static QStringList scanForRows(const QString &folder, bool includeSubfolders);
};
