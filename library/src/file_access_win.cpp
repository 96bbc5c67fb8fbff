#include "library/src/file_access.h"

#include "scrivlet.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// The Win32 half of FileAccess.
namespace scrivlet {

namespace {

// One byte far beyond any end of file: the lock never covers data, so programs that lock byte
// ranges of their own files are not disturbed.
constexpr std::uint64_t kLockOffset = 0x7FFFFFFFFFFFFFFEull;

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
    case ERROR_CANT_RESOLVE_FILENAME:
        return SCRIVLET_E_LOOP;
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

int checkSizeLimit(std::uint64_t)
{
    return SCRIVLET_OK;
}

SizeSignalHold::SizeSignalHold() = default;
SizeSignalHold::~SizeSignalHold() = default;

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
    if (m_handle == kNoHandle)
        return;
    if (m_locked) {
        // Closing releases the lock too, but only some time later.
        OVERLAPPED where = at(kLockOffset);
        UnlockFileEx(m_handle, 0, 1, 0, &where);
    }
    CloseHandle(m_handle);
    m_handle = kNoHandle;
    m_locked = false;
}

int FileAccess::tryLock(Lock kind, bool &contended)
{
    OVERLAPPED where = at(kLockOffset);
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

int FileAccess::readOnce(std::uint64_t offset, std::span<char> buffer, std::size_t &done) const
{
    OVERLAPPED where = at(offset);
    DWORD count = 0;
    done = 0;
    if (!ReadFile(m_handle, buffer.data(), chunkOf(buffer.size()), &count, &where))
        return GetLastError() == ERROR_HANDLE_EOF ? SCRIVLET_OK : lastStatus();
    done = count;
    return SCRIVLET_OK;
}

int FileAccess::writeOnce(std::uint64_t &offset, bool atEnd, std::span<const char> bytes, std::size_t &done)
{
    // Both offset halves all ones: write at the end of the file.
    OVERLAPPED where = at(atEnd ? ~std::uint64_t{0} : offset);
    DWORD put = 0;
    if (!WriteFile(m_handle, bytes.data(), chunkOf(bytes.size()), &put, &where))
        return lastStatus();
    done = put;
    if (atEnd) {
        // Where the bytes landed, as far as the file's end tells: a later append by someone else
        // makes this look later than it was, which errs on the side of reporting a change.
        LARGE_INTEGER size;
        if (!GetFileSizeEx(m_handle, &size))
            return lastStatus();
        offset = static_cast<std::uint64_t>(size.QuadPart) - done;
    }
    return SCRIVLET_OK;
}

int FileAccess::cutTo(std::uint64_t length)
{
    FILE_END_OF_FILE_INFO end;
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(length);
    return SetFileInformationByHandle(m_handle, FileEndOfFileInfo, &end, sizeof end) ? SCRIVLET_OK
                                                                                     : lastStatus();
}

int FileAccess::allocate(std::uint64_t offset, std::uint64_t count)
{
    // Only ever grows the allocation: an allocation below the end of file would cut the file.
    if (offset + count <= m_length)
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

} // namespace scrivlet
