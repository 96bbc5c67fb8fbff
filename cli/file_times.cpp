#include "cli/file_times.h"

#include <fcntl.h>

bool FileTimes::capture(const std::string &path)
{
    struct stat info
    {
    };
    m_captured = ::stat(path.c_str(), &info) == 0;
    if (m_captured) {
        m_access = info.st_atim;
        m_modification = info.st_mtim;
    }
    return m_captured;
}

bool FileTimes::restore(const std::string &path) const
{
    if (!m_captured)
        return false;
    const struct timespec times[2] = {m_access, m_modification};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}
