#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scrivlet {

class FileAccess;
class UndoRecorder;

/// A change of a file's tail that is all or nothing: the bytes from @p offset to the end of the
/// file (@p before) become @p after. The file's bytes in front of @p offset are never written.
struct TailChange
{
    std::uint64_t offset = 0;
    std::string_view before;
    std::string_view after;
    bool keepTimes = false; ///< give the file back its times afterwards
    bool sync = false;      ///< flush the journal record and the file to the disk
    /// A plain append: the new bytes may follow bytes that someone else appended meanwhile.
    bool anywhere = false;
};

/// Applies @p change to @p file (open for writing, locked exclusively, length as locked), which
/// @p path names. With an @p undo recorder a record is written first and marked done after.
///
/// Space is reserved before the file grows, the new bytes are written over the old ones up to the
/// end seen under the lock, and the rest goes to the file's true end (never to a fixed offset past
/// it); the file is cut only when it got shorter, after checking once more that nobody appended.
/// On any failure the prior bytes, length and times are put back before the failure is returned;
/// should that fail too, the undo record stays unfinished for recovery.
///
/// Bytes that a program appending without a lock adds meanwhile are never written over or cut
/// off by the call: it gives SCRIVLET_E_CHANGED, having put the file's own bytes back when it can
/// do so without touching the newcomer's, and touching nothing more when its own bytes already
/// lie behind them.
int applyTailChange(FileAccess &file, const char *path, const TailChange &change, UndoRecorder *undo);

} // namespace scrivlet
