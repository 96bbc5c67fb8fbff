#include "library/src/tail_change.h"

#include "library/src/file_access.h"
#include "library/src/undo_recorder.h"
#include "scrivlet.h"

#include <algorithm>
#include <span>

namespace scrivlet {

namespace {

// How far a change got, for putting it back.
struct Progress
{
    bool touched = false;          ///< the file may have been changed
    bool behindOthers = false;     ///< our appended bytes lie behind someone else's: touch nothing more
    std::uint64_t appendedAt = 0;  ///< where our appended bytes begin
    std::uint64_t appendedEnd = 0; ///< and where they end (appendedAt when there are none)
};

// Appends @p bytes at the file's true end, which should be @p end.
int appendTail(FileAccess &file, std::span<const char> bytes, std::uint64_t end, bool anywhere,
               Progress &progress)
{
    if (!anywhere) {
        if (const int status = file.refresh(); status != SCRIVLET_OK)
            return status;
        if (file.length() != end)
            return SCRIVLET_E_CHANGED;
    }
    progress.touched = true;
    std::uint64_t at = end;
    const int status = file.append(bytes, at);
    progress.appendedAt = at;
    progress.appendedEnd = std::max(at, file.length());
    progress.behindOthers = status == SCRIVLET_E_CHANGED || (at != end && !anywhere);
    return progress.behindOthers ? SCRIVLET_E_CHANGED : status;
}

// The forward road: reserve, write over up to the end seen, append the rest, cut when shorter,
// times, flush.
int makeChange(FileAccess &file, const TailChange &change, std::uint64_t priorLength, std::uint64_t newLength,
               Progress &progress)
{
    if (newLength > priorLength) {
        if (const int status = file.reserve(priorLength, newLength - priorLength); status != SCRIVLET_OK)
            return status;
    }
    const std::span<const char> after(change.after);
    const auto inPlace =
        static_cast<std::size_t>(std::min<std::uint64_t>(after.size(), priorLength - change.offset));
    if (inPlace > 0) {
        progress.touched = true;
        if (const int status = file.writeAt(change.offset, after.first(inPlace)); status != SCRIVLET_OK)
            return status;
    }
    if (after.size() > inPlace) {
        if (const int status =
                appendTail(file, after.subspan(inPlace), priorLength, change.anywhere, progress);
            status != SCRIVLET_OK)
            return status;
    }
    if (newLength < priorLength) {
        // A program that appends without locking may have done so since the lock was taken: a cut
        // now would take its bytes along.
        if (const int status = file.refresh(); status != SCRIVLET_OK)
            return status;
        if (file.length() != priorLength)
            return SCRIVLET_E_CHANGED;
        progress.touched = true;
        if (const int status = file.truncate(newLength); status != SCRIVLET_OK)
            return status;
    }
    if (change.keepTimes && progress.touched) {
        if (const int status = file.restoreTimes(); status != SCRIVLET_OK)
            return status;
    }
    if (change.sync && progress.touched)
        return file.sync();
    return SCRIVLET_OK;
}

// Puts the old bytes back over our own and cuts off what the change appended, never touching a
// byte that someone else appended: SCRIVLET_E_CHANGED when that leaves the change in place.
int putBack(FileAccess &file, const TailChange &change, const Progress &progress)
{
    if (progress.behindOthers)
        return SCRIVLET_E_CHANGED;
    const std::span<const char> before(change.before);
    // Up to the end our own calls left: [offset, that end) holds only our bytes.
    const std::uint64_t ownEnd = file.length();
    const auto inPlace =
        static_cast<std::size_t>(std::min<std::uint64_t>(before.size(), ownEnd - change.offset));
    if (const int status = file.writeAt(change.offset, before.first(inPlace)); status != SCRIVLET_OK)
        return status;
    if (before.size() > inPlace) {
        // The change had cut the file: the rest of the old bytes goes back at its true end.
        Progress again;
        if (const int status = appendTail(file, before.subspan(inPlace), ownEnd, false, again);
            status != SCRIVLET_OK)
            return status;
    } else if (progress.appendedEnd > progress.appendedAt) {
        // What the change appended is cut off only while nothing follows it.
        if (const int status = file.refresh(); status != SCRIVLET_OK)
            return status;
        if (file.length() != progress.appendedEnd)
            return SCRIVLET_E_CHANGED;
        if (const int status = file.truncate(progress.appendedAt); status != SCRIVLET_OK)
            return status;
    }
    file.restoreTimes(); // best effort: the bytes are what counts
    return change.sync ? file.sync() : SCRIVLET_OK;
}

} // namespace

int applyTailChange(FileAccess &file, const char *path, const TailChange &change, UndoRecorder *undo)
{
    const std::uint64_t priorLength = file.length();
    const std::uint64_t newLength = change.offset + change.after.size();
    std::uint64_t record = 0;
    if (undo != nullptr) {
        if (const int status = undo->begin(path, file, change, record); status != SCRIVLET_OK)
            return status;
    }
    Progress progress;
    progress.appendedAt = progress.appendedEnd = priorLength;
    int status = makeChange(file, change, priorLength, newLength, progress);
    if (status == SCRIVLET_OK && undo != nullptr) {
        status = undo->finish(record);
        // The failed mark may have landed: undo only once the record is sure to say unfinished,
        // else the change stands (and a recovery finds it finished).
        if (status != SCRIVLET_OK && undo->reopen(record) != SCRIVLET_OK)
            return status;
        progress.touched = progress.touched || status != SCRIVLET_OK;
    }
    if (status == SCRIVLET_OK)
        return SCRIVLET_OK;
    const int back = progress.touched ? putBack(file, change, progress) : SCRIVLET_OK;
    // A file put back, or one whose new bytes lie behind someone else's (which only the user can
    // sort out), is settled: no recovery may write over the newcomer's bytes either.
    if (back == SCRIVLET_OK || back == SCRIVLET_E_CHANGED) {
        if (undo != nullptr)
            undo->finish(record); // a failing mark only costs a recovery that finds the file changed
    }
    return back == SCRIVLET_E_CHANGED ? back : status;
}

} // namespace scrivlet
