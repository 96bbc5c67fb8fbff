#pragma once

#include <string>
#include <vector>

namespace scrivlet {

/// The files a command works on, from its path arguments. Folders are entered with the rules of
/// the program's folder scans (core/folder_scan.h): `-r` takes the scan with sub-folders
/// (no hidden files or folders, no symbolic links to folders, no "db" files); `ls` without `-r`
/// takes a folder's own files (hidden ones included, no "db" files). Other commands refuse a
/// folder without `-r`. Files named directly are taken as they are, even when missing: the
/// command reports them. A folder that cannot be read becomes an entry with a reason, so that
/// the command reports it and fails.
class TargetList
{
public:
    /// One file to work on, or an argument that gave none (reason set).
    struct Entry
    {
        std::string path;
        std::string reason;
    };

    enum class Mode { Files, Listing };

    TargetList(Mode mode, bool recursive);

    /// Adds the files an argument stands for, in scan order.
    void add(const std::string &argument);

    const std::vector<Entry> &entries() const { return m_entries; }

private:
    void addFolder(const std::string &folder);

    Mode m_mode;
    bool m_recursive;
    std::vector<Entry> m_entries;
};

} // namespace scrivlet
