#include "library/src/journal_folder.h"

#include "scrivlet.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <mutex>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace scrivlet::journal_folder {

namespace {

constexpr const char *kPrefix = "undo-";
constexpr const char *kSuffix = ".journal";

std::mutex s_overrideMutex;
std::string s_override;

bool isJournalName(const std::string &name)
{
    return name.size() > 13 && name.starts_with(kPrefix) && name.ends_with(kSuffix);
}

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

} // namespace

void setLocation(std::string folder)
{
    const std::lock_guard<std::mutex> guard(s_overrideMutex);
    s_override = std::move(folder);
}

std::string location()
{
    {
        const std::lock_guard<std::mutex> guard(s_overrideMutex);
        if (!s_override.empty())
            return s_override;
    }
#ifdef _WIN32
    const char *local = std::getenv("LOCALAPPDATA");
    return local != nullptr && *local != '\0' ? std::string(local) + "\\Scrivlet" : std::string();
#else
    // Relative values are to be ignored, as the base-directory rules say.
    const char *state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/')
        return std::string(state) + "/scrivlet";
    const char *home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        const struct passwd *user = ::getpwuid(::getuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    return home != nullptr && home[0] == '/' ? std::string(home) + "/.local/state/scrivlet" : std::string();
#endif
}

std::string newJournalPath(const std::string &folder)
{
    // The process id only makes the name readable; the lock on the file, not the id, tells
    // whether its owner lives. The counter and clock keep names apart when ids come round again.
    static std::atomic<unsigned> counter{0};
    const auto ticks =
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
#ifdef _WIN32
    const unsigned long long id = GetCurrentProcessId();
#else
    const auto id = static_cast<unsigned long long>(::getpid());
#endif
    return folder + kSeparator + kPrefix + std::to_string(id) + "-" + std::to_string(ticks % 1000000007ull) +
           "-" + std::to_string(counter++) + kSuffix;
}

#ifdef _WIN32

int make(const std::string &folder)
{
    // Level by level; only the last one must come out as a folder.
    for (std::size_t at = folder.find_first_of("\\/", 3);; at = folder.find_first_of("\\/", at + 1)) {
        const std::string part = folder.substr(0, at);
        const bool made = CreateDirectoryA(part.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
        if (at == std::string::npos)
            return made ? SCRIVLET_OK : SCRIVLET_E_JOURNAL;
    }
}

int list(const std::string &folder, std::vector<std::string> &journals)
{
    journals.clear();
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\undo-*.journal").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? SCRIVLET_OK
                                                                              : SCRIVLET_E_JOURNAL;
    }
    do {
        if (isJournalName(entry.cFileName) && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            journals.push_back(folder + "\\" + entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return SCRIVLET_OK;
}

std::optional<std::string> stamp(const std::string &)
{
    return std::nullopt;
}

int sync(const std::string &)
{
    return SCRIVLET_OK; // NTFS journals its directory changes
}

int removeJournal(const std::string &path)
{
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ? SCRIVLET_OK
                                                                               : SCRIVLET_E_JOURNAL;
}

#else

int make(const std::string &folder)
{
    struct stat info
    {
    };
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? SCRIVLET_OK : SCRIVLET_E_JOURNAL;
    // Level by level; only the last one must come out as a folder.
    for (std::size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
        const std::string part = folder.substr(0, at);
        const bool made = ::mkdir(part.c_str(), 0700) == 0 || errno == EEXIST;
        if (at == std::string::npos)
            return made && ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? SCRIVLET_OK
                                                                                       : SCRIVLET_E_JOURNAL;
    }
}

int list(const std::string &folder, std::vector<std::string> &journals)
{
    journals.clear();
    DIR *directory = ::opendir(folder.c_str());
    if (directory == nullptr)
        return errno == ENOENT ? SCRIVLET_OK : SCRIVLET_E_JOURNAL;
    while (const struct dirent *entry = ::readdir(directory)) {
        if (isJournalName(entry->d_name))
            journals.push_back(folder + "/" + entry->d_name);
    }
    ::closedir(directory);
    return SCRIVLET_OK;
}

std::optional<std::string> stamp(const std::string &folder)
{
    struct stat info
    {
    };
    if (::stat(folder.c_str(), &info) != 0)
        return std::nullopt;
    // A change within the clock's coarse tick may leave the time as it was: until the folder has
    // been quiet for a while, its time stamp proves nothing.
    struct timespec now
    {
    };
    ::clock_gettime(CLOCK_REALTIME, &now);
    const long long changedNs =
        static_cast<long long>(info.st_ctim.tv_sec) * 1000000000LL + info.st_ctim.tv_nsec;
    const long long nowNs = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    if (nowNs - changedNs < 100000000LL)
        return std::nullopt;
    return std::to_string(info.st_ino) + ":" + std::to_string(changedNs) + ":" +
           std::to_string(static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec);
}

int sync(const std::string &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return SCRIVLET_E_JOURNAL;
    const int result = ::fsync(fd);
    ::close(fd);
    return result == 0 ? SCRIVLET_OK : SCRIVLET_E_JOURNAL;
}

int removeJournal(const std::string &path)
{
    return ::unlink(path.c_str()) == 0 || errno == ENOENT ? SCRIVLET_OK : SCRIVLET_E_JOURNAL;
}

#endif

} // namespace scrivlet::journal_folder
