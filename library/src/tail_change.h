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
};

/// Applies @p change to @p file (open for writing, locked exclusively, length as locked), which
/// @p path names. With an @p undo recorder a record is written first and marked done after.
///
/// Space is reserved before the file grows, the new bytes are written over the old ones, and the
/// file is cut only when it got shorter, after checking that nobody appended meanwhile. On any
/// failure the prior bytes, length and times are put back before the failure is returned; should
/// that fail too, the undo record stays unfinished for recovery.
int applyTailChange(FileAccess &file, const char *path, const TailChange &change, UndoRecorder *undo);

} // namespace scrivlet
