#pragma once

#include "library/src/file_access.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scrivlet {

/// The folder that holds this user's undo journals, one file per process that changed files.
///
/// On POSIX the folder is opened once (without following a symbolic link) and every journal is
/// reached relative to that descriptor; a folder or journal that another user owns, or that group
/// or others may write, is refused (SCRIVLET_E_UNSAFE), since whoever can write there can delete
/// our records or plant ones that a recovery would act on.
///
/// A journal becomes visible under its scanned name (undo-*.journal) only once its owner holds its
/// lock: it is made under a temporary name, locked, then linked into place without replacing
/// anything. So a journal found unlocked belongs to a process that has ended.
///
/// Every journal linked or removed bumps a generation counter kept in a small shared file of the
/// folder, mapped into memory, so that a process learns without a system call whether the folder
/// needs looking at again.
class JournalFolder
{
public:
    /// $XDG_STATE_HOME/scrivlet (when absolute), else $HOME/.local/state/scrivlet; when the
    /// effective user does not own $HOME (root under su), that user's own home from the password
    /// database instead. On Windows %LOCALAPPDATA%\Scrivlet. Empty when no such place is known.
    static std::string location();
    /// Makes the library use @p folder instead (tests; an empty one goes back to the default).
    static void setLocation(std::string folder);

    JournalFolder() = default;
    ~JournalFolder();
    JournalFolder(const JournalFolder &) = delete;
    JournalFolder &operator=(const JournalFolder &) = delete;

    /// Opens the folder at @p path; with @p make, makes it and its missing parents first (the
    /// ones made only their owner may enter). @return SCRIVLET_OK, SCRIVLET_E_NOENT (missing and
    /// not made), SCRIVLET_E_UNSAFE or SCRIVLET_E_JOURNAL
    int open(const std::string &path, bool make);
    void close();
    bool isOpen() const;
    /// The folder's path, also after an open that failed (the folder is made there later).
    const std::string &path() const { return m_path; }
    /// The full path of an entry.
    std::string pathOf(const std::string &name) const;

    /// The names of the journals, and of the journals set aside as damaged (*.journal.bad).
    /// Temporary files that no process holds any more are removed on the way.
    int list(std::vector<std::string> &journals, std::vector<std::string> *setAside = nullptr);
    /// Makes a new journal of this process, locked exclusively, and links it into place.
    int create(FileAccess &journal, std::string &name);
    /// Opens the journal @p name for update, unlocked; refuses one that is not ours.
    int openJournal(const std::string &name, FileAccess &journal);
    /// Removes the journal @p name, when it still is the file held as @p journal.
    int remove(const std::string &name, const FileAccess &journal);
    /// Renames a damaged journal to NAME.bad, out of the scanned names; @p aside gets its path.
    int setAside(const std::string &name, std::string &aside);
    /// Flushes the folder's list of names to the disk, and the parents of the levels this object
    /// made, so that a new journal survives a power cut.
    int sync();

    /// The generation counter: changes whenever a journal was linked or removed by any process.
    /// Nothing when the system gives none, and the folder must be looked at each time.
    std::optional<std::uint64_t> generation() const;

private:
    void bump();
    void mapGeneration();

    std::string m_path;
#ifndef _WIN32
    int m_fd = -1;
    std::vector<std::string> m_madeParents; ///< parents of the levels made, to flush once
    std::uint64_t *m_generation = nullptr;
#endif
};

} // namespace scrivlet
