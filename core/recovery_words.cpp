#include "core/recovery_words.h"

#include "scrivlet.h"

namespace scrivlet::core {

std::string RecoveryWords::of(const std::string &path, int outcome)
{
    switch (outcome) {
    case SCRIVLET_RECOVERED_RESTORED:
        return "an interrupted change was undone";
    case SCRIVLET_RECOVERED_FINISHED:
        return "an interrupted change had completed";
    case SCRIVLET_RECOVERED_UNTOUCHED:
        return "an interrupted change had not begun";
    case SCRIVLET_RECOVERED_DISCARDED:
        return "the record of an interrupted change was dropped; the file was not touched";
    case SCRIVLET_E_CHANGED:
        return "an interrupted change was left alone: the file has been changed since";
    case SCRIVLET_E_NOENT:
        return "an interrupted change is recorded for this file, which is not there now; the record is "
               "kept. Run 'scriv recover FILE' with the file where it is now, or 'scriv recover --discard " +
               path + "' to drop the record";
    case SCRIVLET_E_JOURNAL:
        return "a damaged undo journal, set aside; look at it, then delete it";
    case SCRIVLET_E_UNSAFE:
        return "the undo journal folder belongs to another user or others may write to it, so no file "
               "is changed; make it yours alone (chmod go-w) or remove it";
    default:
        return std::string("an interrupted change could not be put right yet (") +
               scrivlet_status_text(outcome) + "); the record is kept for the next run";
    }
}

bool RecoveryWords::needsAttention(int outcome)
{
    return outcome < 0;
}

bool RecoveryWords::isNews(int outcome)
{
    // A change that had completed or not begun needs no word: the file is as a command left it.
    return outcome == SCRIVLET_RECOVERED_RESTORED || needsAttention(outcome);
}

} // namespace scrivlet::core
