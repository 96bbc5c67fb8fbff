#include "core/folder_scan.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scrivlet::core {

namespace {

enum class Kind { File, Folder, Other };

// The kind of an entry without following a link to a folder; a link to a regular file is a file.
Kind kindOf(int folderFd, const dirent &entry)
{
    switch (entry.d_type) {
    case DT_REG:
        return Kind::File;
    case DT_DIR:
        return Kind::Folder;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return Kind::Other;
    }
    struct stat info
    {
    };
    if (::fstatat(folderFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return Kind::Other;
    if (S_ISREG(info.st_mode))
        return Kind::File;
    if (S_ISDIR(info.st_mode))
        return Kind::Folder;
    if (!S_ISLNK(info.st_mode) || ::fstatat(folderFd, entry.d_name, &info, 0) != 0)
        return Kind::Other;
    return S_ISREG(info.st_mode) ? Kind::File : Kind::Other;
}

struct Listing
{
    std::vector<std::string> files;
    std::vector<std::string> folders;
    bool complete = false;
};

// The names in one folder, each group in name order. Sub-folders reached by the scan are opened
// without following a link, so a folder swapped for a link meanwhile is not entered either.
Listing list(const std::string &folder, bool withHidden, bool withFolders, bool followLink)
{
    Listing listing;
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    const int fd = ::open(folder.c_str(), flags);
    if (fd < 0)
        return listing;
    DIR *dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return listing;
    }
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (entry == nullptr) {
            listing.complete = errno == 0;
            break;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (!withHidden && name.front() == '.')
            continue;
        const Kind kind = kindOf(fd, *entry);
        if (kind == Kind::File)
            listing.files.emplace_back(name);
        else if (kind == Kind::Folder && withFolders)
            listing.folders.emplace_back(name);
    }
    ::closedir(dir);
    std::sort(listing.files.begin(), listing.files.end(), FolderScan::nameLess);
    std::sort(listing.folders.begin(), listing.folders.end(), FolderScan::nameLess);
    return listing;
}

unsigned char folded(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}

} // namespace

std::string FolderScan::trailingSlash(std::string_view folder)
{
    std::string result(folder);
    if (!result.empty() && result.back() != '/')
        result.push_back('/');
    return result;
}

std::string_view FolderScan::extensionName(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    return path.substr(dot + 1);
}

bool FolderScan::isExcluded(std::string_view path)
{
    return extensionName(path) == "db";
}

bool FolderScan::nameLess(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (folded(a[i]) != folded(b[i]))
            return folded(a[i]) < folded(b[i]);
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    // Same name but for letter case: the plain bytes decide ("B" before "b").
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

ScanResult FolderScan::folderFiles(const std::string &folder)
{
    ScanResult result;
    Listing listing = list(folder, true, false, true);
    if (!listing.complete)
        result.unreadableFolders.push_back(folder);
    const std::string prefix = folder + '/';
    result.files.reserve(listing.files.size());
    for (const std::string &name : listing.files)
        result.files.push_back(prefix + name);
    return result;
}

ScanResult FolderScan::recursiveFiles(const std::string &folder)
{
    ScanResult result;
    if (folder.empty())
        return result;
    // Depth first with an explicit stack rather than recursion, so that a very deep tree cannot
    // exhaust the call stack; sub-folders are pushed in reverse so they are visited in name order.
    std::vector<std::string> pending{trailingSlash(folder)};
    bool top = true;
    while (!pending.empty()) {
        const std::string current = std::move(pending.back());
        pending.pop_back();
        const Listing listing = list(current, false, true, top);
        top = false;
        if (!listing.complete)
            result.unreadableFolders.push_back(current);
        for (const std::string &name : listing.files)
            result.files.push_back(current + name);
        for (auto it = listing.folders.crbegin(); it != listing.folders.crend(); ++it)
            pending.push_back(current + *it + '/');
    }
    return result;
}

ScanResult FolderScan::scan(const std::string &folder, bool includeSubfolders)
{
    ScanResult result = includeSubfolders ? recursiveFiles(folder) : folderFiles(folder);
    std::erase_if(result.files, [](const std::string &path) { return isExcluded(path); });
    return result;
}

} // namespace scrivlet::core
