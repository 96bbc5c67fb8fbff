#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scrivlet::core {

/// What a folder scan found: file paths as raw bytes, in the order they are added, and the folders
/// it could not list (so that a caller can report them; the window passes over them).
struct ScanResult
{
    std::vector<std::string> files;
    std::vector<std::string> unreadableFolders;
};

/// The folder listings that fill the file list (Browse in "Multiple" mode, dropped folders) and
/// pick `scriv`'s targets, with one set of rules. Names are bytes as the file system gives them:
/// nothing is decoded, so every name can be listed.
/// - folderFiles: every regular file directly in a folder, hidden (dot) files included;
/// - recursiveFiles: the regular, non-hidden files of a folder, then those of each non-hidden
///   sub-folder, depth first. Links to folders are never followed.
/// Links to regular files count as files; FIFOs, sockets, devices and dangling links never do.
/// Within one folder names come in name order (see nameLess), so a scan gives the same order on
/// every file system.
class FolderScan
{
public:
    /// @p folder with a "/" appended unless it already ends in one; empty stays empty.
    static std::string trailingSlash(std::string_view folder);

    /// The extension of a path's file name without its dot ("a.tar.gz" -> "gz"); empty when the
    /// name has no dot.
    static std::string_view extensionName(std::string_view path);

    /// Whether folder scans and drops leave the file out: its extension is exactly "db" (lower
    /// case only; "DB" passes).
    static bool isExcluded(std::string_view path);

    /// The name order: bytes compared with the ASCII letters folded to upper case (so "_x" follows
    /// the letters, and bytes 0x80-0xFF compare by value), ties broken by the plain bytes so that
    /// every name has exactly one place.
    static bool nameLess(std::string_view a, std::string_view b);

    /// The regular files directly inside @p folder (hidden ones included), each as folder + "/" +
    /// name, even when @p folder already ends in "/" (a root "/" gives "//name", the same file).
    static ScanResult folderFiles(const std::string &folder);

    /// The regular, non-hidden files of @p folder as trailingSlash(folder) + name, then those of its
    /// non-hidden sub-folders, depth first in name order. A folder that cannot be listed adds what
    /// was read of it before the failure, is reported, and the scan goes on with the next one.
    static ScanResult recursiveFiles(const std::string &folder);

    /// The paths a folder scan adds, in the order they are added: folderFiles or recursiveFiles,
    /// then the "db" exclusion.
    static ScanResult scan(const std::string &folder, bool includeSubfolders);
};

} // namespace scrivlet::core
