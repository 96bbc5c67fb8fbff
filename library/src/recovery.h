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

/// Whether an outcome ends the record's life: settled, or beyond help (the file was replaced,
/// changed or removed). Other failures (a busy lock, no access) leave it for a later run.
bool isFinal(int outcome);

/// Settles @p record on @p file, which must be open for update, locked exclusively and found at
/// the record's path now. Only the file's identity (not its device, which a remount may change),
/// size and tail bytes are trusted: every tail byte must be the old or the new one at its place
/// (or a zero beyond the old end), which is what an interrupted write leaves, in any order.
int settle(const JournalRecord &record, FileAccess &file);

/// Goes through the records of the journal open (for update) as @p journal and settles every
/// unfinished one, marking each that ends in the journal. The file of each is opened and locked;
/// @p held, a file the caller holds locked, is used instead when a record names it. With
/// @p onlyHeld the records of other files are passed over. Each record is looked at again once
/// its file is locked, since another process may have settled it meanwhile. @p report hears of
/// every record settled or left alone; @p allFinal tells whether none was kept.
/// @return SCRIVLET_OK, or the first outcome that left a file alone
int settleJournal(FileAccess &journal, FileAccess *held, bool onlyHeld, const Report &report, bool &allFinal);

} // namespace recovery

} // namespace scrivlet
