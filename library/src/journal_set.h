#pragma once

#include "library/src/file_access.h"
#include "library/src/journal.h"
#include "library/src/journal_folder.h"
#include "library/src/recovery.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace scrivlet {

/// The undo journals as this process sees them: its own, and those of other processes that it
/// watches. Before each change it settles what ended processes left unfinished, at the cost of
/// reading the journal folder's generation counter while nothing there changes, and once the file
/// is locked, the unfinished records that concern that very file (whose writer, since it no longer
/// holds the file's lock, has ended, whatever its journal's lock still says), matched by inode, so
/// that a file renamed since is settled too.
class JournalSet
{
public:
    /// The process's one set. Every use must hold mutex().
    static JournalSet &process();
    std::mutex &mutex() { return m_mutex; }

    /// Before a file is locked for a change: follows a new journal folder, retries this process's
    /// own unfinished records, and when the folder changed, settles the journals of ended processes
    /// and watches those of running ones. @return SCRIVLET_OK, or SCRIVLET_E_UNSAFE: the folder is
    /// not ours alone, and no change may be made
    int beforeLock();
    /// With @p file locked for a change: settles every unfinished record that concerns it.
    void settleHeld(FileAccess &file);
    /// Where this process's records go.
    Journal &journal() { return m_journal; }
    /// The folder as this process uses it.
    const JournalFolder &folder() const { return m_folder; }

    /// Settles the journals of every ended process (and this one's unfinished records), telling
    /// @p report of each record and of each journal set aside as damaged.
    /// @return as recovery::settleJournal's first, SCRIVLET_E_JOURNAL or SCRIVLET_E_UNSAFE
    int recoverAll(const recovery::Report &report);
    /// Settles the records of ended processes that concern the file at @p path (by inode), or with
    /// @p discard drops those that name @p path, touching no file.
    int settleFile(const char *path, bool discard, const recovery::Report &report);

private:
    JournalSet();
    /// In a forked child: the inherited journals are the parent's.
    void forgetInherited();
    int follow(const recovery::Report &report);
    int scan(const recovery::Filter &filter, const recovery::Report &report);
    int retryOwn(FileAccess *held, const recovery::Report &report);

    std::mutex m_mutex;
    std::string m_location;
    JournalFolder m_folder;
    std::optional<std::uint64_t> m_seen; ///< the folder's generation at the last scan
    Journal m_journal;
    std::vector<FileAccess> m_watched; ///< journals of running processes, and ended ones with kept records
};

} // namespace scrivlet
