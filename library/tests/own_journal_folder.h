#pragma once

#include "library/src/comment_file.h"
#include "library/src/journal_folder.h"
#include "library/src/journal_set.h"

#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// The environment variable under which the library looks for its journal folder.
#ifdef _WIN32
inline constexpr const char *kJournalHomeVariable = "LOCALAPPDATA";
#else
inline constexpr const char *kJournalHomeVariable = "XDG_STATE_HOME";
#endif

inline void setJournalHome(const std::string &folder)
{
#ifdef _WIN32
    ::_putenv_s(kJournalHomeVariable, folder.c_str());
#else
    ::setenv(kJournalHomeVariable, folder.c_str(), 1);
#endif
}

// Windows cannot remove a folder while a file in it is open, and the library keeps its journal open
// in the folder it used last: a recovery makes it leave that folder for the one now named (none
// when the variable is empty). Elsewhere an open file does not hold its folder.
inline void leaveJournalFolder()
{
#ifdef _WIN32
    scrivlet::comment_file::recover({});
#endif
}

// Points the library's journals (of this process and of the programs it starts) at a folder of
// the test's own, so that one test's leftovers cannot answer for another's.
class OwnJournalFolder
{
public:
    explicit OwnJournalFolder(const TempDir &dir) { setJournalHome(dir.path()); }
    ~OwnJournalFolder()
    {
        setJournalHome(m_saved);
        leaveJournalFolder();
    }
    OwnJournalFolder(const OwnJournalFolder &) = delete;
    OwnJournalFolder &operator=(const OwnJournalFolder &) = delete;

private:
    std::string m_saved =
        std::getenv(kJournalHomeVariable) != nullptr ? std::getenv(kJournalHomeVariable) : "";
};

// The paths of the journals in the folder now in use (names undo-*.journal), but this process's own.
inline std::vector<std::string> otherJournals()
{
    std::vector<std::string> found;
    std::error_code error;
    for (const auto &entry :
         std::filesystem::directory_iterator(scrivlet::JournalFolder::location(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("undo-") && name.ends_with(".journal") &&
            name != scrivlet::JournalSet::process().journal().name())
            found.push_back(entry.path().string());
    }
    return found;
}
