#pragma once

#include "library/src/file_access.h"
#include "library/src/journal_record.h"
#include "library/src/undo_recorder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scrivlet {

/// This process's undo journal: a file of its own in the journal folder, made at the first record
/// and locked exclusively as long as the process lives, so that others can tell a journal whose
/// owner has ended (its lock is free) from one in use, whatever the process ids. Records are
/// written in one write each, before the file they concern is touched, and marked done after.
/// The file is removed when the journal goes with nothing left unfinished.
class Journal : public UndoRecorder
{
public:
    Journal() = default;
    ~Journal() override;
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    /// The folder for the journal file; a new one is made there at the next record.
    void setFolder(const std::string &folder);
    /// The journal file's path, empty until the first record.
    const std::string &path() const { return m_path; }
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

    std::string m_folder;
    std::string m_path;
    FileAccess m_file;
    std::uint64_t m_end = 0; ///< where the next record goes: behind the unfinished ones
    std::vector<std::uint64_t> m_unfinished;
    bool m_folderSynced = false;
};

} // namespace scrivlet
