#include "library/src/file_access.h"

#include "scrivlet.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <utility>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#endif

namespace scrivlet {

namespace {

ChangeHook s_hook = nullptr;
void *s_hookContext = nullptr;
std::atomic<long long> s_lockWaitMs{3000};

// The seam: 0 lets the call go on; an errno value makes it fail, after @p bytes of a write.
int hookError(FileChange change, std::size_t &bytes)
{
    if (s_hook == nullptr)
        return 0;
    const std::size_t asked = bytes;
    const int error = s_hook(change, bytes, s_hookContext);
    bytes = error != 0 ? std::min(bytes, asked) : asked;
    return error;
}

void pause(std::chrono::microseconds duration)
{
#ifdef _WIN32
    ::Sleep(static_cast<DWORD>(std::max<long long>(1, duration.count() / 1000)));
#else
    struct timespec wanted = {static_cast<time_t>(duration.count() / 1000000),
                              static_cast<long>(duration.count() % 1000000) * 1000};
    while (::nanosleep(&wanted, &wanted) != 0 && errno == EINTR) {
    }
#endif
}

} // namespace

int statusOfErrno(int error)
{
    switch (error) {
    case 0:
        return SCRIVLET_OK;
    case ENOENT:
    case ENOTDIR:
        return SCRIVLET_E_NOENT;
    case EACCES:
    case EPERM:
    case EROFS:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return SCRIVLET_E_ACCESS;
    case EISDIR:
    case ENXIO:
    case ENODEV:
        return SCRIVLET_E_NOTREG;
    case ENAMETOOLONG:
        return SCRIVLET_E_TOOLONG;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return SCRIVLET_E_NOSPACE;
    default:
        return SCRIVLET_E_IO;
    }
}

void setChangeHook(ChangeHook hook, void *context)
{
    s_hook = hook;
    s_hookContext = context;
}

void FileAccess::setLockWait(std::chrono::milliseconds wait)
{
    s_lockWaitMs = wait.count();
}

std::chrono::milliseconds FileAccess::lockWait()
{
    return std::chrono::milliseconds(s_lockWaitMs.load());
}

FileAccess::~FileAccess()
{
    close();
}

int FileAccess::size(std::uint64_t &length) const
{
    length = m_length;
    return SCRIVLET_OK;
}

bool FileAccess::sameFileAs(const FileAccess &other) const
{
    return m_identity == other.m_identity;
}

int FileAccess::lock(Lock kind, bool wait)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + lockWait();
    std::chrono::microseconds nap(50);
    while (true) {
        bool contended = false;
        if (const int status = tryLock(kind, contended); status != SCRIVLET_OK)
            return status;
        if (!contended) {
            m_locked = true;
            return SCRIVLET_OK;
        }
        const Clock::time_point now = Clock::now();
        if (!wait || now >= deadline)
            return SCRIVLET_E_BUSY;
        pause(std::min(nap, std::chrono::duration_cast<std::chrono::microseconds>(deadline - now)));
        nap = std::min(nap * 2, std::chrono::microseconds(10000));
    }
}

#ifdef _WIN32

namespace {

// One byte far beyond any end of file: the lock never covers data, so programs that lock byte
// ranges of their own files are not disturbed.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFFu;
constexpr DWORD kLockOffsetLow = 0xFFFFFFFEu;

int statusOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return SCRIVLET_E_NOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return SCRIVLET_E_ACCESS;
    case ERROR_FILENAME_EXCED_RANGE:
        return SCRIVLET_E_TOOLONG;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
        return SCRIVLET_E_NOSPACE;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return SCRIVLET_E_CHANGED;
    default:
        return SCRIVLET_E_IO;
    }
}

int lastStatus()
{
    return statusOf(GetLastError());
}

OVERLAPPED at(std::uint64_t position)
{
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
    where.OffsetHigh = static_cast<DWORD>(position >> 32);
    return where;
}

std::int64_t ticks(const FILETIME &time)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

FILETIME fileTime(std::int64_t value)
{
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(value) & 0xFFFFFFFFu);
    time.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(value) >> 32);
    return time;
}

DWORD chunkOf(std::size_t left)
{
    return left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
}

} // namespace

FileAccess::FileAccess(FileAccess &&other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_times(other.m_times),
      m_locked(std::exchange(other.m_locked, false)), m_length(other.m_length), m_identity(other.m_identity)
{}

FileAccess &FileAccess::operator=(FileAccess &&other) noexcept
{
    if (this != &other) {
        close();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_times = other.m_times;
        m_locked = std::exchange(other.m_locked, false);
        m_length = other.m_length;
        m_identity = other.m_identity;
    }
    return *this;
}

int FileAccess::open(const char *path, Mode mode, std::optional<Lock> lock)
{
    close();
    // CreateFile fails on a folder with "access denied"; tell it apart first.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return SCRIVLET_E_NOTREG;
    DWORD access = GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    switch (mode) {
    case Mode::Read:
        break;
    case Mode::Write:
        access = GENERIC_WRITE;
        break;
    case Mode::Append:
        // Not FILE_APPEND_DATA alone: a failed append is cut back, and the lock wants GENERIC_*.
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = OPEN_ALWAYS;
        break;
    case Mode::Update:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    case Mode::Create:
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = CREATE_NEW;
        break;
    }
    HANDLE handle = CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return lastStatus();
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return SCRIVLET_E_NOTREG;
    }
    m_handle = handle;
    int status = lock ? this->lock(*lock) : SCRIVLET_OK;
    if (status == SCRIVLET_OK)
        status = refresh(true);
    if (status != SCRIVLET_OK)
        close();
    return status;
}

void FileAccess::close()
{
    if (m_handle == nullptr)
        return;
    if (m_locked) {
        // Closing releases the lock too, but only some time later.
        OVERLAPPED where = at((static_cast<std::uint64_t>(kLockOffsetHigh) << 32) | kLockOffsetLow);
        UnlockFileEx(m_handle, 0, 1, 0, &where);
    }
    CloseHandle(m_handle);
    m_handle = nullptr;
    m_locked = false;
}

bool FileAccess::isOpen() const
{
    return m_handle != nullptr;
}

int FileAccess::tryLock(Lock kind, bool &contended)
{
    OVERLAPPED where = at((static_cast<std::uint64_t>(kLockOffsetHigh) << 32) | kLockOffsetLow);
    DWORD flags = LOCKFILE_FAIL_IMMEDIATELY;
    if (kind == Lock::Exclusive)
        flags |= LOCKFILE_EXCLUSIVE_LOCK;
    if (LockFileEx(m_handle, flags, 0, 1, 0, &where)) {
        contended = false;
        return SCRIVLET_OK;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) {
        contended = true;
        return SCRIVLET_OK;
    }
    // A file system without byte-range locks: go on unlocked rather than refuse every call.
    contended = false;
    return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ? SCRIVLET_OK : statusOf(error);
}

int FileAccess::refresh(bool times)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(m_handle, &info))
        return lastStatus();
    m_length = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    m_identity.device = info.dwVolumeSerialNumber;
    m_identity.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    if (times) {
        m_times.access = ticks(info.ftLastAccessTime);
        m_times.modify = ticks(info.ftLastWriteTime);
    }
    return SCRIVLET_OK;
}

int FileAccess::readSomeAt(std::uint64_t offset, std::span<char> buffer, std::size_t &got) const
{
    got = 0;
    while (got < buffer.size()) {
        OVERLAPPED where = at(offset + got);
        DWORD count = 0;
        if (!ReadFile(m_handle, buffer.data() + got, chunkOf(buffer.size() - got), &count, &where)) {
            if (GetLastError() == ERROR_HANDLE_EOF)
                break;
            return lastStatus();
        }
        if (count == 0)
            break;
        got += count;
    }
    return SCRIVLET_OK;
}

int FileAccess::readAt(std::uint64_t offset, std::span<char> buffer) const
{
    std::size_t got = 0;
    if (const int status = readSomeAt(offset, buffer, got); status != SCRIVLET_OK)
        return status;
    return got == buffer.size() ? SCRIVLET_OK : SCRIVLET_E_IO; // the file shrank under us
}

namespace {

// Writes at @p where: an offset, or both halves all ones for the end of file.
int writeThrough(HANDLE handle, std::span<const char> bytes, std::uint64_t offset, bool atEnd,
                 std::uint64_t &length)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        OVERLAPPED where = at(atEnd ? ~std::uint64_t{0} : offset + done);
        DWORD put = 0;
        if (!WriteFile(handle, bytes.data() + done, chunkOf(bytes.size() - done), &put, &where))
            return lastStatus();
        if (put == 0)
            return SCRIVLET_E_IO;
        done += put;
        length = atEnd ? length + put : std::max<std::uint64_t>(length, offset + done);
    }
    return SCRIVLET_OK;
}

} // namespace

int FileAccess::writeAt(std::uint64_t offset, std::span<const char> bytes)
{
    std::size_t allowed = bytes.size();
    const int error = hookError(FileChange::Write, allowed);
    const int status =
        writeThrough(static_cast<HANDLE>(m_handle), bytes.first(error != 0 ? allowed : bytes.size()), offset,
                     false, m_length);
    return status != SCRIVLET_OK ? status : statusOfErrno(error);
}

int FileAccess::append(std::span<const char> bytes)
{
    std::size_t allowed = bytes.size();
    const int error = hookError(FileChange::Write, allowed);
    const int status = writeThrough(static_cast<HANDLE>(m_handle),
                                    bytes.first(error != 0 ? allowed : bytes.size()), 0, true, m_length);
    return status != SCRIVLET_OK ? status : statusOfErrno(error);
}

int FileAccess::truncate(std::uint64_t length)
{
    std::size_t none = 0;
    if (const int error = hookError(FileChange::Truncate, none); error != 0)
        return statusOfErrno(error);
    FILE_END_OF_FILE_INFO end;
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(length);
    if (!SetFileInformationByHandle(m_handle, FileEndOfFileInfo, &end, sizeof end))
        return lastStatus();
    m_length = length;
    return SCRIVLET_OK;
}

int FileAccess::reserve(std::uint64_t offset, std::uint64_t count)
{
    std::size_t none = 0;
    if (const int error = hookError(FileChange::Reserve, none); error != 0)
        return statusOfErrno(error);
    // Only ever grows the allocation: an allocation below the end of file would cut the file.
    if (count == 0 || offset + count <= m_length)
        return SCRIVLET_OK;
    FILE_ALLOCATION_INFO allocation;
    allocation.AllocationSize.QuadPart = static_cast<LONGLONG>(offset + count);
    if (SetFileInformationByHandle(m_handle, FileAllocationInfo, &allocation, sizeof allocation))
        return SCRIVLET_OK;
    // Only a full disk counts; a file system (or Wine) that cannot reserve leaves the writes to
    // find out, and a failed write is undone all the same.
    const int status = lastStatus();
    return status == SCRIVLET_E_NOSPACE ? status : SCRIVLET_OK;
}

int FileAccess::sync()
{
    return FlushFileBuffers(m_handle) ? SCRIVLET_OK : lastStatus();
}

int FileAccess::setTimes(const FileTimes &times)
{
    const FILETIME access = fileTime(times.access);
    const FILETIME write = fileTime(times.modify);
    return SetFileTime(m_handle, nullptr, &access, &write) ? SCRIVLET_OK : lastStatus();
}

#else

namespace {

int lastStatus()
{
    return statusOfErrno(errno);
}

std::int64_t nanoseconds(const struct timespec &time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

struct timespec timespecOf(std::int64_t ns)
{
    struct timespec time
    {
    };
    time.tv_sec = static_cast<time_t>(ns / 1000000000);
    time.tv_nsec = static_cast<long>(ns % 1000000000);
    return time;
}

} // namespace

FileAccess::FileAccess(FileAccess &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_times(other.m_times),
      m_locked(std::exchange(other.m_locked, false)), m_length(other.m_length), m_identity(other.m_identity)
{}

FileAccess &FileAccess::operator=(FileAccess &&other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
        m_times = other.m_times;
        m_locked = std::exchange(other.m_locked, false);
        m_length = other.m_length;
        m_identity = other.m_identity;
    }
    return *this;
}

int FileAccess::open(const char *path, Mode mode, std::optional<Lock> lock)
{
    return openIn(AT_FDCWD, path, mode, lock);
}

int FileAccess::openIn(int folder, const char *path, Mode mode, std::optional<Lock> lock)
{
    close();
    // O_NONBLOCK: opening a FIFO or a device must not wait for a peer; fstat then refuses it.
    int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    mode_t permissions = 0666;
    switch (mode) {
    case Mode::Read:
        flags |= O_RDONLY;
        break;
    case Mode::Write:
        flags |= O_WRONLY;
        break;
    case Mode::Append:
        flags |= O_WRONLY | O_APPEND | O_CREAT;
        break;
    case Mode::Update:
        flags |= O_RDWR;
        break;
    case Mode::Create:
        flags |= O_RDWR | O_CREAT | O_EXCL;
        permissions = 0600;
        break;
    }
    int fd = -1;
    do {
        fd = ::openat(folder, path, flags, permissions);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno == EEXIST ? SCRIVLET_E_CHANGED : lastStatus();
    m_fd = fd;
    if (lock) {
        if (const int status = this->lock(*lock); status != SCRIVLET_OK) {
            close();
            return status;
        }
    }
    // One fstat, under the lock, tells the type and gives length, identity and times for the call.
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int status = S_ISREG(info.st_mode) ? lastStatus() : SCRIVLET_E_NOTREG;
        close();
        return status;
    }
    m_length = static_cast<std::uint64_t>(info.st_size);
    m_identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    m_times = {nanoseconds(info.st_atim), nanoseconds(info.st_mtim)};
    return SCRIVLET_OK;
}

void FileAccess::close()
{
    // Closing the last descriptor of the open file releases its flock() lock.
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_locked = false;
}

bool FileAccess::isOpen() const
{
    return m_fd >= 0;
}

int FileAccess::tryLock(Lock kind, bool &contended)
{
    contended = false;
    const int operation = (kind == Lock::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    while (::flock(m_fd, operation) != 0) {
        if (errno == EINTR)
            continue;
        if (errno == EWOULDBLOCK) {
            contended = true;
            return SCRIVLET_OK;
        }
        // A file system without flock(): go on unlocked rather than refuse every call.
        if (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL)
            return SCRIVLET_OK;
        return lastStatus();
    }
    return SCRIVLET_OK;
}

int FileAccess::refresh(bool times)
{
    struct stat info
    {
    };
    if (::fstat(m_fd, &info) != 0)
        return lastStatus();
    m_length = static_cast<std::uint64_t>(info.st_size);
    m_identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    if (times)
        m_times = {nanoseconds(info.st_atim), nanoseconds(info.st_mtim)};
    return SCRIVLET_OK;
}

int FileAccess::readSomeAt(std::uint64_t offset, std::span<char> buffer, std::size_t &got) const
{
    got = 0;
    while (got < buffer.size()) {
        const ssize_t count =
            ::pread(m_fd, buffer.data() + got, buffer.size() - got, static_cast<off_t>(offset + got));
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return lastStatus();
        }
        if (count == 0)
            break;
        got += static_cast<std::size_t>(count);
    }
    return SCRIVLET_OK;
}

int FileAccess::readAt(std::uint64_t offset, std::span<char> buffer) const
{
    std::size_t got = 0;
    if (const int status = readSomeAt(offset, buffer, got); status != SCRIVLET_OK)
        return status;
    return got == buffer.size() ? SCRIVLET_OK : SCRIVLET_E_IO; // the file shrank under us
}

int FileAccess::writeAt(std::uint64_t offset, std::span<const char> bytes)
{
    std::size_t allowed = bytes.size();
    const int error = hookError(FileChange::Write, allowed);
    const std::size_t limit = error != 0 ? allowed : bytes.size();
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t put =
            ::pwrite(m_fd, bytes.data() + done, limit - done, static_cast<off_t>(offset + done));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return lastStatus();
        }
        if (put == 0)
            return SCRIVLET_E_IO;
        done += static_cast<std::size_t>(put);
        m_length = std::max<std::uint64_t>(m_length, offset + done);
    }
    return statusOfErrno(error);
}

int FileAccess::append(std::span<const char> bytes)
{
    std::size_t allowed = bytes.size();
    const int error = hookError(FileChange::Write, allowed);
    const std::size_t limit = error != 0 ? allowed : bytes.size();
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t put = ::write(m_fd, bytes.data() + done, limit - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return lastStatus();
        }
        if (put == 0)
            return SCRIVLET_E_IO;
        done += static_cast<std::size_t>(put);
        m_length += static_cast<std::uint64_t>(put);
    }
    return statusOfErrno(error);
}

int FileAccess::truncate(std::uint64_t length)
{
    std::size_t none = 0;
    if (const int error = hookError(FileChange::Truncate, none); error != 0)
        return statusOfErrno(error);
    int result = 0;
    do {
        result = ::ftruncate(m_fd, static_cast<off_t>(length));
    } while (result != 0 && errno == EINTR);
    if (result != 0)
        return lastStatus();
    m_length = length;
    return SCRIVLET_OK;
}

int FileAccess::reserve(std::uint64_t offset, std::uint64_t count)
{
    std::size_t none = 0;
    if (const int error = hookError(FileChange::Reserve, none); error != 0)
        return statusOfErrno(error);
    if (count == 0)
        return SCRIVLET_OK;
#ifdef __linux__
    int result = 0;
    do {
        // KEEP_SIZE: nobody sees the reservation; the file grows only when the bytes are written.
        result =
            ::fallocate(m_fd, FALLOC_FL_KEEP_SIZE, static_cast<off_t>(offset), static_cast<off_t>(count));
    } while (result != 0 && errno == EINTR);
    if (result == 0 || errno == EOPNOTSUPP || errno == ENOSYS)
        return SCRIVLET_OK;
    return lastStatus();
#else
    (void)offset;
    return SCRIVLET_OK;
#endif
}

int FileAccess::sync()
{
    int result = 0;
    do {
#ifdef __linux__
        result = ::fdatasync(m_fd);
#else
        result = ::fsync(m_fd);
#endif
    } while (result != 0 && errno == EINTR);
    return result == 0 ? SCRIVLET_OK : lastStatus();
}

int FileAccess::setTimes(const FileTimes &times)
{
    const struct timespec values[2] = {timespecOf(times.access), timespecOf(times.modify)};
    return ::futimens(m_fd, values) == 0 ? SCRIVLET_OK : lastStatus();
}

#endif

} // namespace scrivlet
