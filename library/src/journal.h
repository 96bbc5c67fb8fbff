#pragma once

#include "library/src/file_access.h"
#include "library/src/journal_folder.h"
#include "library/src/journal_record.h"
#include "library/src/undo_recorder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scrivlet {

/// This process's undo journal: a file of its own in the journal folder, made at the first record
/// and locked exclusively (before it gets its name) as long as the process lives, so that others
/// can tell a journal whose owner has ended (its lock is free) from one in use, whatever the
/// process ids. Records are written in one write each, before the file they concern is touched,
/// and marked done after. They name the file by an absolute path, so that a recovery from any
/// folder finds it. The file is removed when the journal goes with nothing left unfinished.
class Journal : public UndoRecorder
{
public:
    Journal() = default;
    ~Journal() override;
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    /// The folder for the journal file (owned by the caller, open or not); a new journal is made
    /// there at the next record. Lets go of the journal in the folder used so far.
    void setFolder(JournalFolder *folder);
    /// The journal file's name in its folder, empty until the first record.
    const std::string &name() const { return m_name; }
    /// @p path made absolute from the current folder (no link is resolved); SCRIVLET_E_JOURNAL
    /// when the current folder cannot be told.
    static int absolutePath(const char *path, std::string &absolute);
    /// The open journal file (for settling its records).
    FileAccess &file() { return m_file; }

    int begin(const char *path, const FileAccess &file, const TailChange &change,
              std::uint64_t &record) override;
    int finish(std::uint64_t record) override;
    int reopen(std::uint64_t record) override;

    /// Records whose change failed and could not be undone: a recovery must settle them.
    const std::vector<std::uint64_t> &unfinished() const { return m_unfinished; }
    /// Drops from unfinished() the records that a recovery has settled meanwhile.
    void forgetSettled();
    /// Lets go of the journal without touching it: a forked child must not write into its
    /// parent's journal (the parent's lock on it stays).
    void forget();

private:
    int create(bool sync);
    int mark(std::uint64_t record, JournalRecord::State state);
    void close();

    JournalFolder *m_folder = nullptr;
    std::string m_name;
    FileAccess m_file;
    std::uint64_t m_end = 0; ///< where the next record goes: behind the unfinished ones
    std::vector<std::uint64_t> m_unfinished;
    bool m_folderSynced = false;
};

} // namespace scrivlet
