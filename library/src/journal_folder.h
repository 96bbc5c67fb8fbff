#pragma once

#include <optional>
#include <string>
#include <vector>

// The folder that holds this user's undo journals, one file per process that changed files.
namespace scrivlet::journal_folder {

/// $XDG_STATE_HOME/scrivlet (when absolute), else $HOME/.local/state/scrivlet; on Windows
/// %LOCALAPPDATA%\Scrivlet. Empty when no such place is known.
std::string location();
/// Makes the library use @p folder instead (tests; an empty one goes back to the default).
void setLocation(std::string folder);

/// Makes the folder and its missing parents; the ones it makes only their owner may enter.
int make(const std::string &folder);
/// The paths of the journals in the folder (none when it does not exist).
int list(const std::string &folder, std::vector<std::string> &journals);
/// A name for a new journal of this process in the folder.
std::string newJournalPath(const std::string &folder);
/// Something that differs whenever a journal was added to or removed from the folder since it was
/// last taken; nothing when that cannot be told (the folder changed too recently to trust its
/// time stamp, or the system gives none), and the folder must be looked at again.
std::optional<std::string> stamp(const std::string &folder);
/// Flushes the folder's list of names to the disk, so that a new journal survives a power cut.
int sync(const std::string &folder);
/// Removes a journal file.
int removeJournal(const std::string &path);

} // namespace scrivlet::journal_folder
