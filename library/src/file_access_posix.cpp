#include "library/src/file_access.h"

#include "scrivlet.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/resource.h>
#ifdef __linux__
#include <linux/magic.h>
#include <sys/vfs.h>
#endif
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

// The POSIX half of FileAccess.
namespace scrivlet {

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

// Whether the open file lies on a file system of the kernel's own (proc, sysfs, ...): its "files"
// are interfaces that take a write as a command and report sizes of 0, so no block can live there.
bool onPseudoFileSystem(int fd)
{
#ifdef __linux__
    struct statfs info
    {
    };
    if (::fstatfs(fd, &info) != 0)
        return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case 0x62656570: // configfs
    case SECURITYFS_MAGIC:
    case EFIVARFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
#else
    (void)fd;
    return false;
#endif
}

// Whether a write or cut of this thread failed with EFBIG since the last SizeSignalHold began: only
// then can it have raised SIGXFSZ.
thread_local bool t_sizeSignalRaised = false;

int statusNoting(int error)
{
    if (error == EFBIG)
        t_sizeSignalRaised = true;
    return statusOfErrno(error);
}

// The file-size limit, read once per hold: a call's writes check against it without asking the
// kernel each time. A limit lowered meanwhile by another thread is met by the held signal instead.
thread_local bool t_sizeLimitKnown = false;
thread_local rlim_t t_sizeLimit = RLIM_INFINITY;

rlim_t currentSizeLimit()
{
    struct rlimit limit
    {
    };
    return ::getrlimit(RLIMIT_FSIZE, &limit) == 0 ? limit.rlim_cur : RLIM_INFINITY;
}

sigset_t sizeSignal()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGXFSZ);
    return set;
}

} // namespace

int checkSizeLimit(std::uint64_t end)
{
    const rlim_t limit = t_sizeLimitKnown ? t_sizeLimit : currentSizeLimit();
    if (limit == RLIM_INFINITY)
        return SCRIVLET_OK;
    return end > static_cast<std::uint64_t>(limit) ? SCRIVLET_E_NOSPACE : SCRIVLET_OK;
}

SizeSignalHold::SizeSignalHold() : m_outerLimitKnown(t_sizeLimitKnown), m_outerLimit(t_sizeLimit)
{
    t_sizeLimit = currentSizeLimit();
    t_sizeLimitKnown = true;
    const sigset_t set = sizeSignal();
    sigset_t old;
    if (::pthread_sigmask(SIG_BLOCK, &set, &old) != 0)
        return;
    m_wasBlocked = sigismember(&old, SIGXFSZ) == 1;
    // Unblocked, none can be pending for this thread: it would have been delivered.
    sigset_t pending;
    m_wasPending = m_wasBlocked && ::sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1;
    t_sizeSignalRaised = false;
}

SizeSignalHold::~SizeSignalHold()
{
    t_sizeLimitKnown = m_outerLimitKnown;
    t_sizeLimit = m_outerLimit;
    const sigset_t set = sizeSignal();
    if (t_sizeSignalRaised && !m_wasPending) {
        const struct timespec none = {0, 0};
        while (::sigtimedwait(&set, nullptr, &none) < 0 && errno == EINTR) {
        }
    }
    t_sizeSignalRaised = false;
    if (!m_wasBlocked)
        ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
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
    m_handle = fd;
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
    // Reading one does no harm (it shows as empty); writing one would change the system.
    if (mode != Mode::Read && onPseudoFileSystem(fd)) {
        close();
        return SCRIVLET_E_NOTREG;
    }
    m_length = static_cast<std::uint64_t>(info.st_size);
    m_identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    m_times = {nanoseconds(info.st_atim), nanoseconds(info.st_mtim)};
    return SCRIVLET_OK;
}

void FileAccess::close()
{
    // Closing the last descriptor of the open file releases its flock() lock.
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = kNoHandle;
    m_locked = false;
    m_appending = false;
}

int FileAccess::tryLock(Lock kind, bool &contended)
{
    contended = false;
    const int operation = (kind == Lock::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    while (::flock(m_handle, operation) != 0) {
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
    if (::fstat(m_handle, &info) != 0)
        return lastStatus();
    m_length = static_cast<std::uint64_t>(info.st_size);
    m_identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    if (times)
        m_times = {nanoseconds(info.st_atim), nanoseconds(info.st_mtim)};
    return SCRIVLET_OK;
}

int FileAccess::readOnce(std::uint64_t offset, std::span<char> buffer, std::size_t &done) const
{
    ssize_t count = 0;
    do {
        count = ::pread(m_handle, buffer.data(), buffer.size(), static_cast<off_t>(offset));
    } while (count < 0 && errno == EINTR);
    if (count < 0)
        return lastStatus();
    done = static_cast<std::size_t>(count);
    return SCRIVLET_OK;
}

int FileAccess::writeOnce(std::uint64_t &offset, bool atEnd, std::span<const char> bytes, std::size_t &done)
{
    // A write at the end needs O_APPEND, which the kernel applies under the file's own lock, so
    // that bytes another program appends are never overwritten; a positioned write needs it off
    // (Linux's pwrite appends on an O_APPEND descriptor).
    if (atEnd && !m_appending) {
        const int flags = ::fcntl(m_handle, F_GETFL);
        if (flags < 0)
            return lastStatus();
        if ((flags & O_APPEND) == 0) {
            if (::fcntl(m_handle, F_SETFL, flags | O_APPEND) != 0)
                return lastStatus();
            m_appending = true;
        }
    } else if (!atEnd && m_appending) {
        const int flags = ::fcntl(m_handle, F_GETFL);
        if (flags < 0 || ::fcntl(m_handle, F_SETFL, flags & ~O_APPEND) != 0)
            return lastStatus();
        m_appending = false;
    }
    ssize_t put = 0;
    do {
        put = atEnd ? ::write(m_handle, bytes.data(), bytes.size())
                    : ::pwrite(m_handle, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    } while (put < 0 && errno == EINTR);
    if (put < 0)
        return statusNoting(errno);
    done = static_cast<std::size_t>(put);
    if (atEnd) {
        const off_t after = ::lseek(m_handle, 0, SEEK_CUR);
        if (after < 0)
            return lastStatus();
        offset = static_cast<std::uint64_t>(after) - done;
    }
    return SCRIVLET_OK;
}

int FileAccess::cutTo(std::uint64_t length)
{
    int result = 0;
    do {
        result = ::ftruncate(m_handle, static_cast<off_t>(length));
    } while (result != 0 && errno == EINTR);
    return result == 0 ? SCRIVLET_OK : statusNoting(errno);
}

int FileAccess::allocate(std::uint64_t offset, std::uint64_t count)
{
#ifdef __linux__
    int result = 0;
    do {
        // KEEP_SIZE: nobody sees the reservation; the file grows only when the bytes are written.
        result =
            ::fallocate(m_handle, FALLOC_FL_KEEP_SIZE, static_cast<off_t>(offset), static_cast<off_t>(count));
    } while (result != 0 && errno == EINTR);
    if (result == 0 || errno == EOPNOTSUPP || errno == ENOSYS)
        return SCRIVLET_OK;
    return lastStatus();
#else
    (void)offset;
    (void)count;
    return SCRIVLET_OK;
#endif
}

int FileAccess::sync()
{
    int result = 0;
    do {
#ifdef __linux__
        result = ::fdatasync(m_handle);
#else
        result = ::fsync(m_handle);
#endif
    } while (result != 0 && errno == EINTR);
    return result == 0 ? SCRIVLET_OK : lastStatus();
}

int FileAccess::setTimes(const FileTimes &times)
{
    const struct timespec values[2] = {timespecOf(times.access), timespecOf(times.modify)};
    return ::futimens(m_handle, values) == 0 ? SCRIVLET_OK : lastStatus();
}

} // namespace scrivlet
