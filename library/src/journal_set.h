#pragma once

#include "library/src/file_access.h"
#include "library/src/journal.h"
#include "library/src/recovery.h"

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace scrivlet {

/// The undo journals as this process sees them: its own, and those of other processes that it
/// watches. Before each change it settles what ended processes left unfinished, at the cost of a
/// glance at the journal folder's time stamp while nothing there changes, and once the file is
/// locked, the unfinished records that concern that very file (whose writer, since it no longer
/// holds the file's lock, has ended, whatever its journal's lock still says).
class JournalSet
{
public:
    /// The process's one set. Every use must hold mutex().
    static JournalSet &process();
    std::mutex &mutex() { return m_mutex; }

    /// Before a file is locked for a change: follows a new journal folder, retries this process's
    /// own unfinished records, and when the folder changed, settles the journals of ended processes
    /// and watches those of running ones.
    void beforeLock();
    /// With @p file locked for a change: settles every unfinished record that concerns it.
    void settleHeld(FileAccess &file);
    /// Where this process's records go.
    Journal &journal() { return m_journal; }

    /// Settles the journals of every ended process (and this one's unfinished records), telling
    /// @p report of each record. @return as recovery::settleJournal, or SCRIVLET_E_JOURNAL
    int recoverAll(const recovery::Report &report);

private:
    JournalSet();
    /// In a forked child: the inherited journals are the parent's.
    void forgetInherited();
    void follow(const std::string &folder);
    int scan(const recovery::Report &report);
    int retryOwn(FileAccess *held, const recovery::Report &report);

    std::mutex m_mutex;
    std::string m_folder;
    std::optional<std::string> m_stamp;
    Journal m_journal;
    std::vector<FileAccess> m_watched; ///< journals of running processes, open, not locked
};

} // namespace scrivlet
