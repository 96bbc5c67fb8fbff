#include "cli/target_list.h"

#include "core/folder_scan.h"

#include <sys/stat.h>

namespace scrivlet {

TargetList::TargetList(Mode mode, bool recursive) : m_mode(mode), m_recursive(recursive)
{}

void TargetList::add(const std::string &argument)
{
    struct stat info
    {
    };
    const bool isFolder = ::stat(argument.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    if (!isFolder) {
        if (m_mode == Mode::Listing && ::lstat(argument.c_str(), &info) != 0)
            m_entries.push_back({argument, "no such file or folder"});
        else
            m_entries.push_back({argument, {}});
        return;
    }
    if (m_mode == Mode::Files && !m_recursive) {
        m_entries.push_back({argument, "is a folder (use -r)"});
        return;
    }
    addFolder(argument);
}

void TargetList::addFolder(const std::string &folder)
{
    // "dir/" and "dir" list the same files; the paths printed should not say "dir//name".
    std::string trimmed = folder;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    auto found = scrivlet::core::FolderScan::scan(trimmed, m_recursive);
    m_entries.reserve(m_entries.size() + found.files.size() + found.unreadableFolders.size());
    for (std::string &file : found.files)
        m_entries.push_back({std::move(file), {}});
    for (std::string &unreadable : found.unreadableFolders)
        m_entries.push_back({std::move(unreadable), "cannot read the folder"});
}

} // namespace scrivlet
