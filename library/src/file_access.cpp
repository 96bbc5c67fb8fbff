#include "library/src/file_access.h"

#include "scrivlet.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <thread>
#include <utility>

// What both systems share; the system calls live in file_access_posix.cpp and file_access_win.cpp.
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
#ifdef ESPIPE
    case ESPIPE: // no positioned reads or writes: not a file of bytes
#endif
        return SCRIVLET_E_NOTREG;
#ifdef ELOOP
    case ELOOP:
        return SCRIVLET_E_LOOP;
#endif
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

FileAccess::FileAccess(FileAccess &&other) noexcept
    : m_handle(std::exchange(other.m_handle, kNoHandle)),
      m_appending(std::exchange(other.m_appending, false)), m_times(other.m_times),
      m_locked(std::exchange(other.m_locked, false)), m_length(other.m_length), m_identity(other.m_identity)
{}

FileAccess &FileAccess::operator=(FileAccess &&other) noexcept
{
    if (this != &other) {
        close();
        m_handle = std::exchange(other.m_handle, kNoHandle);
        m_appending = std::exchange(other.m_appending, false);
        m_times = other.m_times;
        m_locked = std::exchange(other.m_locked, false);
        m_length = other.m_length;
        m_identity = other.m_identity;
    }
    return *this;
}

bool FileAccess::isOpen() const
{
    return m_handle != kNoHandle;
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
        std::this_thread::sleep_for(
            std::min(nap, std::chrono::duration_cast<std::chrono::microseconds>(deadline - now)));
        nap = std::min(nap * 2, std::chrono::microseconds(10000));
    }
}

int FileAccess::readSomeAt(std::uint64_t offset, std::span<char> buffer, std::size_t &got) const
{
    got = 0;
    while (got < buffer.size()) {
        std::size_t count = 0;
        if (const int status = readOnce(offset + got, buffer.subspan(got), count); status != SCRIVLET_OK)
            return status;
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

int FileAccess::writeAll(std::uint64_t &offset, bool atEnd, std::span<const char> bytes)
{
    if (const int status = checkSizeLimit((atEnd ? m_length : offset) + bytes.size()); status != SCRIVLET_OK)
        return status;
    std::size_t allowed = bytes.size();
    const int error = hookError(FileChange::Write, allowed);
    const std::size_t limit = error != 0 ? allowed : bytes.size();
    std::size_t done = 0;
    bool apart = false;
    while (done < limit) {
        std::uint64_t at = offset + done;
        std::size_t put = 0;
        const int status = writeOnce(at, atEnd, bytes.subspan(done, limit - done), put);
        if (status != SCRIVLET_OK)
            return apart ? SCRIVLET_E_CHANGED : status;
        if (put == 0)
            return apart ? SCRIVLET_E_CHANGED : SCRIVLET_E_IO;
        if (done == 0)
            offset = at;
        apart = apart || at != offset + done;
        done += put;
        m_length = std::max<std::uint64_t>(m_length, at + put);
    }
    if (apart)
        return SCRIVLET_E_CHANGED;
    return statusOfErrno(error);
}

int FileAccess::writeAt(std::uint64_t offset, std::span<const char> bytes)
{
    return writeAll(offset, false, bytes);
}

int FileAccess::append(std::span<const char> bytes, std::uint64_t &at)
{
    at = m_length;
    return writeAll(at, true, bytes);
}

int FileAccess::truncate(std::uint64_t length)
{
    std::size_t none = 0;
    if (const int error = hookError(FileChange::Truncate, none); error != 0)
        return statusOfErrno(error);
    if (length > m_length) {
        if (const int status = checkSizeLimit(length); status != SCRIVLET_OK)
            return status;
    }
    if (const int status = cutTo(length); status != SCRIVLET_OK)
        return status;
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
    if (const int status = checkSizeLimit(offset + count); status != SCRIVLET_OK)
        return status;
    return allocate(offset, count);
}

} // namespace scrivlet
