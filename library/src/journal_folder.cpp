#include "library/src/journal_folder.h"

#include "scrivlet.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace scrivlet {

namespace {

constexpr const char *kPrefix = "undo-";
constexpr const char *kSuffix = ".journal";
constexpr const char *kSetAsideSuffix = ".journal.bad";
// Temporary names lie outside the scanned pattern: a journal is seen only once it is locked.
constexpr const char *kTempPrefix = "new-";
constexpr const char *kTempSuffix = ".undo";

std::mutex s_mutex;
std::string s_override;

bool isJournalName(const std::string &name)
{
    return name.size() > 13 && name.starts_with(kPrefix) && name.ends_with(kSuffix);
}

bool isSetAsideName(const std::string &name)
{
    return name.starts_with(kPrefix) && name.ends_with(kSetAsideSuffix);
}

bool isTempName(const std::string &name)
{
    return name.starts_with(kTempPrefix) && name.ends_with(kTempSuffix);
}

// A new journal's name and its temporary one. The process id only makes them readable; the lock
// on the file, not the id, tells whether its owner lives. The counter and clock keep names apart
// when ids come round again.
std::pair<std::string, std::string> newNames()
{
    static std::atomic<unsigned> counter{0};
    const auto ticks =
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
#ifdef _WIN32
    const unsigned long long id = GetCurrentProcessId();
#else
    const auto id = static_cast<unsigned long long>(::getpid());
#endif
    const std::string stem =
        std::to_string(id) + "-" + std::to_string(ticks % 1000000007ull) + "-" + std::to_string(counter++);
    return {kPrefix + stem + kSuffix, kTempPrefix + stem + kTempSuffix};
}

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

} // namespace

void JournalFolder::setLocation(std::string folder)
{
    const std::lock_guard<std::mutex> guard(s_mutex);
    s_override = std::move(folder);
}

JournalFolder::~JournalFolder()
{
    close();
}

std::string JournalFolder::pathOf(const std::string &name) const
{
    return m_path + kSeparator + name;
}

#ifdef _WIN32

std::string JournalFolder::location()
{
    {
        const std::lock_guard<std::mutex> guard(s_mutex);
        if (!s_override.empty())
            return s_override;
    }
    const char *local = std::getenv("LOCALAPPDATA");
    return local != nullptr && *local != '\0' ? std::string(local) + "\\Scrivlet" : std::string();
}

int JournalFolder::open(const std::string &path, bool make)
{
    m_path = path;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? SCRIVLET_OK : SCRIVLET_E_JOURNAL;
    if (!make)
        return SCRIVLET_E_NOENT;
    // Level by level; only the last one must come out as a folder.
    for (std::size_t at = path.find_first_of("\\/", 3);; at = path.find_first_of("\\/", at + 1)) {
        const std::string part = path.substr(0, at);
        const bool made = CreateDirectoryA(part.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
        if (at == std::string::npos)
            return made ? SCRIVLET_OK : SCRIVLET_E_JOURNAL;
    }
}

void JournalFolder::close()
{
    m_path.clear(); // nothing is held open: the path alone makes the folder "open"
}

bool JournalFolder::isOpen() const
{
    if (m_path.empty())
        return false;
    const DWORD attributes = GetFileAttributesA(m_path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int JournalFolder::list(std::vector<std::string> &journals, std::vector<std::string> *setAside)
{
    journals.clear();
    if (setAside != nullptr)
        setAside->clear();
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pathOf("*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? SCRIVLET_OK
                                                                              : SCRIVLET_E_JOURNAL;
    }
    do {
        const std::string name = entry.cFileName;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        if (isJournalName(name)) {
            journals.push_back(name);
        } else if (isSetAsideName(name)) {
            if (setAside != nullptr)
                setAside->push_back(name);
        } else if (isTempName(name)) {
            // Left by a process that ended before linking it: removed unless still held.
            FileAccess temp;
            if (temp.open(pathOf(name).c_str(), FileAccess::Mode::Update) == SCRIVLET_OK &&
                temp.lock(FileAccess::Lock::Exclusive, false) == SCRIVLET_OK)
                DeleteFileA(pathOf(name).c_str());
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return SCRIVLET_OK;
}

int JournalFolder::create(FileAccess &journal, std::string &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto [final, temp] = newNames();
        const std::string tempPath = pathOf(temp);
        const int status = journal.open(tempPath.c_str(), FileAccess::Mode::Create);
        if (status == SCRIVLET_E_CHANGED)
            continue; // the name is taken
        if (status != SCRIVLET_OK)
            return SCRIVLET_E_JOURNAL;
        // Without MOVEFILE_REPLACE_EXISTING the move never takes the place of another journal.
        if (journal.lock(FileAccess::Lock::Exclusive, false) == SCRIVLET_OK &&
            MoveFileExA(tempPath.c_str(), pathOf(final).c_str(), 0)) {
            name = final;
            return SCRIVLET_OK;
        }
        journal.close();
        DeleteFileA(tempPath.c_str());
    }
    return SCRIVLET_E_JOURNAL;
}

int JournalFolder::openJournal(const std::string &name, FileAccess &journal)
{
    return journal.open(pathOf(name).c_str(), FileAccess::Mode::Update);
}

int JournalFolder::remove(const std::string &name, const FileAccess &)
{
    return DeleteFileA(pathOf(name).c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ? SCRIVLET_OK
                                                                                       : SCRIVLET_E_JOURNAL;
}

int JournalFolder::setAside(const std::string &name, std::string &aside)
{
    aside = pathOf(name + ".bad");
    return MoveFileExA(pathOf(name).c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING) ? SCRIVLET_OK
                                                                                       : SCRIVLET_E_JOURNAL;
}

int JournalFolder::sync()
{
    return SCRIVLET_OK; // NTFS journals its directory changes
}

std::optional<std::uint64_t> JournalFolder::generation() const
{
    return std::nullopt;
}

void JournalFolder::bump()
{}

void JournalFolder::mapGeneration()
{}

#else

namespace {

// Whether a folder or journal may be trusted: ours, and writable by nobody else.
bool isOwned(const struct stat &info)
{
    return info.st_uid == ::geteuid() && (info.st_mode & 022) == 0;
}

std::string homeFolder()
{
    // Relative values are to be ignored, as the base-directory rules say.
    const char *state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/')
        return std::string(state) + "/scrivlet";
    // Root under su keeps the caller's $HOME: its journals would land in another user's folder.
    // Take the effective user's own home then, as ssh does.
    const char *home = std::getenv("HOME");
    struct stat info
    {
    };
    const bool foreign =
        home != nullptr && home[0] == '/' && ::stat(home, &info) == 0 && info.st_uid != ::geteuid();
    if (foreign || home == nullptr || home[0] != '/') {
        const struct passwd *user = ::getpwuid(::geteuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    return home != nullptr && home[0] == '/' ? std::string(home) + "/.local/state/scrivlet" : std::string();
}

} // namespace

std::string JournalFolder::location()
{
    const std::lock_guard<std::mutex> guard(s_mutex);
    if (!s_override.empty())
        return s_override;
    // Worked out again only when the variables change: a change asks for it each time.
    static std::string s_key;
    static std::string s_location;
    const char *state = std::getenv("XDG_STATE_HOME");
    const char *home = std::getenv("HOME");
    std::string key =
        std::string(state != nullptr ? state : "\x01") + '\0' + (home != nullptr ? home : "\x01");
    if (key != s_key || s_location.empty()) {
        s_location = homeFolder();
        s_key = std::move(key);
    }
    return s_location;
}

int JournalFolder::open(const std::string &path, bool make)
{
    close();
    m_path = path;
    if (path.empty() || path[0] != '/')
        return SCRIVLET_E_JOURNAL;
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(path.c_str(), flags);
    if (fd < 0 && errno == ENOENT) {
        if (!make)
            return SCRIVLET_E_NOENT;
        // Level by level; only the last one must come out as a folder.
        for (std::size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
            const std::string part = path.substr(0, at);
            if (::mkdir(part.c_str(), 0700) == 0)
                m_madeParents.push_back(part.substr(0, std::max<std::size_t>(part.rfind('/'), 1)));
            if (at == std::string::npos)
                break;
        }
        fd = ::open(path.c_str(), flags);
    }
    struct stat info
    {
    };
    if (fd < 0) {
        // A symbolic link in the folder's place is refused, not followed.
        const bool link = ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
        return link ? SCRIVLET_E_UNSAFE : SCRIVLET_E_JOURNAL;
    }
    if (::fstat(fd, &info) != 0 || !isOwned(info)) {
        ::close(fd);
        return SCRIVLET_E_UNSAFE;
    }
    m_fd = fd;
    mapGeneration();
    return SCRIVLET_OK;
}

void JournalFolder::close()
{
    if (m_generation != nullptr)
        ::munmap(m_generation, sizeof *m_generation);
    m_generation = nullptr;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_madeParents.clear();
}

bool JournalFolder::isOpen() const
{
    return m_fd >= 0;
}

void JournalFolder::mapGeneration()
{
    const int fd = ::openat(m_fd, "generation", O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    struct stat info
    {
    };
    // Allocated, not merely extended: a store into a hole of a full disk would raise SIGBUS. Two
    // processes may both do it: allocating keeps what is there.
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && isOwned(info) &&
        (info.st_size >= 8 || ::fallocate(fd, 0, 0, 8) == 0)) {
        void *mapped = ::mmap(nullptr, 8, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (mapped != MAP_FAILED)
            m_generation = static_cast<std::uint64_t *>(mapped);
    }
    ::close(fd);
}

std::optional<std::uint64_t> JournalFolder::generation() const
{
    if (m_generation == nullptr)
        return std::nullopt;
    return std::atomic_ref<std::uint64_t>(*m_generation).load(std::memory_order_acquire);
}

void JournalFolder::bump()
{
    if (m_generation != nullptr)
        std::atomic_ref<std::uint64_t>(*m_generation).fetch_add(1, std::memory_order_acq_rel);
}

int JournalFolder::list(std::vector<std::string> &journals, std::vector<std::string> *setAside)
{
    journals.clear();
    if (setAside != nullptr)
        setAside->clear();
    // A descriptor of its own: reading moves its position, which dup() would share.
    const int fd = ::openat(m_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *directory = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (directory == nullptr) {
        if (fd >= 0)
            ::close(fd);
        return SCRIVLET_E_JOURNAL;
    }
    while (const struct dirent *entry = ::readdir(directory)) {
        const std::string name = entry->d_name;
        if (isJournalName(name)) {
            journals.push_back(name);
        } else if (isSetAsideName(name)) {
            if (setAside != nullptr)
                setAside->push_back(name);
        } else if (isTempName(name)) {
            // Left by a process that ended before linking it: removed unless still held. One that
            // is being made loses its name here and its maker tries another.
            FileAccess temp;
            if (openJournal(name, temp) == SCRIVLET_OK &&
                temp.lock(FileAccess::Lock::Exclusive, false) == SCRIVLET_OK)
                ::unlinkat(m_fd, name.c_str(), 0);
        }
    }
    ::closedir(directory);
    return SCRIVLET_OK;
}

int JournalFolder::create(FileAccess &journal, std::string &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto [final, temp] = newNames();
        const int status = journal.openIn(m_fd, temp.c_str(), FileAccess::Mode::Create);
        if (status == SCRIVLET_E_CHANGED)
            continue; // the name is taken
        if (status != SCRIVLET_OK)
            return SCRIVLET_E_JOURNAL;
        if (journal.lock(FileAccess::Lock::Exclusive, false) == SCRIVLET_OK) {
            // Never a plain rename, which would replace a journal of the same name silently.
            int linked = ::renameat2(m_fd, temp.c_str(), m_fd, final.c_str(), RENAME_NOREPLACE);
            if (linked != 0 && (errno == EINVAL || errno == ENOSYS)) {
                linked = ::linkat(m_fd, temp.c_str(), m_fd, final.c_str(), 0);
                if (linked == 0)
                    ::unlinkat(m_fd, temp.c_str(), 0);
            }
            if (linked == 0) {
                name = final;
                bump();
                return SCRIVLET_OK;
            }
            if (errno != ENOENT && errno != EEXIST) {
                journal.close();
                ::unlinkat(m_fd, temp.c_str(), 0);
                return SCRIVLET_E_JOURNAL;
            }
        }
        // A scan took the temporary file for a leftover meanwhile (or holds it): another name.
        journal.close();
        ::unlinkat(m_fd, temp.c_str(), 0);
    }
    return SCRIVLET_E_JOURNAL;
}

int JournalFolder::openJournal(const std::string &name, FileAccess &journal)
{
    // The folder is ours and closed to others, so what is checked here cannot be swapped after.
    struct stat info
    {
    };
    if (::fstatat(m_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return statusOfErrno(errno);
    if (!S_ISREG(info.st_mode) || !isOwned(info))
        return SCRIVLET_E_UNSAFE;
    return journal.openIn(m_fd, name.c_str(), FileAccess::Mode::Update);
}

int JournalFolder::remove(const std::string &name, const FileAccess &journal)
{
    // Only the very file held: a name is never given twice, but the check costs one call.
    struct stat info
    {
    };
    if (::fstatat(m_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? SCRIVLET_OK : SCRIVLET_E_JOURNAL;
    if (static_cast<std::uint64_t>(info.st_ino) != journal.identity().inode)
        return SCRIVLET_OK;
    if (::unlinkat(m_fd, name.c_str(), 0) != 0)
        return errno == ENOENT ? SCRIVLET_OK : SCRIVLET_E_JOURNAL;
    bump();
    return SCRIVLET_OK;
}

int JournalFolder::setAside(const std::string &name, std::string &aside)
{
    aside = pathOf(name + ".bad");
    if (::renameat(m_fd, name.c_str(), m_fd, (name + ".bad").c_str()) != 0)
        return SCRIVLET_E_JOURNAL;
    bump();
    return SCRIVLET_OK;
}

int JournalFolder::sync()
{
    if (m_fd < 0 || ::fsync(m_fd) != 0)
        return SCRIVLET_E_JOURNAL;
    // The levels made: each is a new name in its parent.
    for (const std::string &parent : m_madeParents) {
        const int fd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const bool synced = fd >= 0 && ::fsync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!synced)
            return SCRIVLET_E_JOURNAL;
    }
    m_madeParents.clear();
    return SCRIVLET_OK;
}

#endif

} // namespace scrivlet
