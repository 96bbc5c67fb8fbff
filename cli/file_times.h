#pragma once

#include <string>
#include <sys/stat.h>

/// A file's access and modification times, taken before a change and put back after it
/// (`--keep-time`), so that commenting does not make a file look edited.
class FileTimes
{
public:
    /// Takes the times of the file a path names (following symbolic links); false when it cannot.
    bool capture(const std::string &path);
    /// Puts the captured times back; false when nothing was captured or the file refuses.
    bool restore(const std::string &path) const;

private:
    struct timespec m_access
    {
    };
    struct timespec m_modification
    {
    };
    bool m_captured = false;
};
