#include "library/src/tail_change.h"

#include "library/src/file_access.h"
#include "library/src/undo_recorder.h"
#include "scrivlet.h"

#include <span>

namespace scrivlet {

namespace {

// The forward road: reserve, write over, cut when shorter, times, flush. @p touched tells whether
// the file may have been changed when it fails.
int makeChange(FileAccess &file, const TailChange &change, std::uint64_t priorLength, std::uint64_t newLength,
               bool &touched)
{
    if (newLength > priorLength) {
        if (const int status = file.reserve(priorLength, newLength - priorLength); status != SCRIVLET_OK)
            return status;
    }
    if (!change.after.empty()) {
        touched = true;
        if (const int status = file.writeAt(change.offset, std::span(change.after)); status != SCRIVLET_OK)
            return status;
    }
    if (newLength < priorLength) {
        // A program that appends without locking may have done so since the lock was taken: a cut
        // now would take its bytes along.
        if (const int status = file.refresh(); status != SCRIVLET_OK)
            return status;
        if (file.length() != priorLength)
            return SCRIVLET_E_CHANGED;
        touched = true;
        if (const int status = file.truncate(newLength); status != SCRIVLET_OK)
            return status;
    }
    if (change.keepTimes && touched) {
        if (const int status = file.restoreTimes(); status != SCRIVLET_OK)
            return status;
    }
    if (change.sync && touched)
        return file.sync();
    return SCRIVLET_OK;
}

// Writes the old bytes back over whatever the new ones reached and cuts off what the change added.
bool putBack(FileAccess &file, const TailChange &change, std::uint64_t priorLength, std::uint64_t newLength)
{
    if (file.writeAt(change.offset, std::span(change.before)) != SCRIVLET_OK || file.refresh() != SCRIVLET_OK)
        return false;
    // What lies beyond the prior end, up to where the new bytes reached, is the change's own (a
    // failed write may have got part of the way); a longer file holds bytes someone else appended.
    const std::uint64_t length = file.length();
    if (length > priorLength && length <= newLength && file.truncate(priorLength) != SCRIVLET_OK)
        return false;
    file.restoreTimes(); // best effort: the bytes are what counts
    return !change.sync || file.sync() == SCRIVLET_OK;
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
    bool touched = false;
    int status = makeChange(file, change, priorLength, newLength, touched);
    if (status == SCRIVLET_OK && undo != nullptr) {
        status = undo->finish(record);
        // The failed mark may have landed: undo only once the record is sure to say unfinished,
        // else the change stands (and a recovery finds it finished).
        if (status != SCRIVLET_OK && undo->reopen(record) != SCRIVLET_OK)
            return status;
        touched = touched || status != SCRIVLET_OK;
    }
    if (status == SCRIVLET_OK)
        return SCRIVLET_OK;
    if (!touched || putBack(file, change, priorLength, newLength)) {
        if (undo != nullptr)
            undo->finish(record); // the file is as before; a failing mark only costs a no-op recovery
    }
    return status;
}

} // namespace scrivlet
