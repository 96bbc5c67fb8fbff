#pragma once

#include "library/src/file_access.h"

#include <cstdint>
#include <functional>
#include <string>

namespace scrivlet {

struct JournalRecord;

// Settling the undo records that a change left unfinished: the file gets its prior bytes back when
// it is still as the interrupted change could have left it, and is left alone otherwise.
namespace recovery {

/// Told each record settled or left alone: its path and the outcome (SCRIVLET_RECOVERED_* or the
/// SCRIVLET_E_* status for which the file was left alone).
using Report = std::function<void(const std::string &path, int outcome)>;

/// Whether an outcome ends the record's life: the file was restored or provably needs nothing
/// (the change had finished or not begun, or the very file has changed since). A record whose file
/// is not found at its path (SCRIVLET_E_NOENT, also when another file took its place), or cannot
/// be opened or locked now, is kept: the file may have moved, and a later look may find it.
bool isFinal(int outcome);

/// Settles @p record on @p file, which must be open for update and locked exclusively. Only the
/// file's inode (not its device, which a remount may change), size and tail bytes are trusted:
/// every tail byte must be the old or the new one at its place (or a zero beyond the old end),
/// which is what an interrupted write leaves, in any order. Another inode gives SCRIVLET_E_NOENT.
int settle(const JournalRecord &record, FileAccess &file);

/// Which records of a journal a pass settles.
struct Filter
{
    /// A file the caller holds locked: used instead of opening a record's path when the record
    /// concerns its inode.
    FileAccess *held = nullptr;
    /// Only the records of @p held's inode, wherever their path points.
    bool onlyHeld = false;
    /// Instead of settling: drops the records whose (absolute) path is this one, touching no file.
    const std::string *discard = nullptr;
};

/// What a pass over one journal found.
struct Settled
{
    int first = 0;        ///< SCRIVLET_OK, or the first outcome that left a record kept
    bool allFinal = true; ///< no unfinished record is left in the journal
    bool damaged = false; ///< a record other than a torn last one failed its checksum
};

/// Goes through the records of the journal open (for update) as @p journal and settles every
/// unfinished one that @p filter selects, marking each that ends in the journal. The file of each
/// is opened and locked by its path. Each record is looked at again once its file is locked, since
/// another process may have settled it meanwhile. @p report hears of every record settled, dropped
/// or kept. A last record shorter than its stated size, or failing its checksum with no unfinished
/// record behind it, was being written when its process ended (its file was not touched yet) and
/// is passed over; one failing its checksum elsewhere makes the journal damaged.
Settled settleJournal(FileAccess &journal, const Filter &filter, const Report &report);

} // namespace recovery

} // namespace scrivlet
