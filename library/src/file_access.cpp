#include "library/src/file_access.h"

#include "scrivlet.h"

#include <utility>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace scrivlet {

#ifdef _WIN32

namespace {

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
    default:
        return SCRIVLET_E_IO;
    }
}

int lastStatus()
{
    return statusOf(GetLastError());
}

} // namespace

FileAccess::~FileAccess()
{
    close();
}

FileAccess::FileAccess(FileAccess &&other) noexcept : m_handle(std::exchange(other.m_handle, nullptr))
{}

FileAccess &FileAccess::operator=(FileAccess &&other) noexcept
{
    if (this != &other) {
        close();
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

int FileAccess::open(const char *path, Mode mode)
{
    close();
    // CreateFile fails on a folder with "access denied"; tell it apart first.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return SCRIVLET_E_NOTREG;
    const DWORD access = mode == Mode::Read    ? GENERIC_READ
                         : mode == Mode::Write ? GENERIC_WRITE
                                               : FILE_APPEND_DATA;
    const DWORD disposition = mode == Mode::Append ? OPEN_ALWAYS : OPEN_EXISTING;
    HANDLE handle = CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return lastStatus();
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return SCRIVLET_E_NOTREG;
    }
    m_handle = handle;
    return SCRIVLET_OK;
}

void FileAccess::close()
{
    if (m_handle != nullptr)
        CloseHandle(m_handle);
    m_handle = nullptr;
}

bool FileAccess::isOpen() const
{
    return m_handle != nullptr;
}

int FileAccess::size(std::uint64_t &length) const
{
    LARGE_INTEGER value;
    if (!GetFileSizeEx(m_handle, &value))
        return lastStatus();
    length = static_cast<std::uint64_t>(value.QuadPart);
    return SCRIVLET_OK;
}

bool FileAccess::sameFileAs(const FileAccess &other) const
{
    BY_HANDLE_FILE_INFORMATION mine;
    BY_HANDLE_FILE_INFORMATION theirs;
    if (!GetFileInformationByHandle(m_handle, &mine) || !GetFileInformationByHandle(other.m_handle, &theirs))
        return false;
    return mine.dwVolumeSerialNumber == theirs.dwVolumeSerialNumber &&
           mine.nFileIndexHigh == theirs.nFileIndexHigh && mine.nFileIndexLow == theirs.nFileIndexLow;
}

int FileAccess::readAt(std::uint64_t offset, std::span<char> buffer) const
{
    std::size_t done = 0;
    while (done < buffer.size()) {
        OVERLAPPED at{};
        const std::uint64_t position = offset + done;
        at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const std::size_t left = buffer.size() - done;
        const DWORD wanted = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(m_handle, buffer.data() + done, wanted, &got, &at))
            return lastStatus();
        if (got == 0)
            return SCRIVLET_E_IO; // the file shrank under us
        done += got;
    }
    return SCRIVLET_OK;
}

int FileAccess::truncate(std::uint64_t length)
{
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(length);
    if (!SetFilePointerEx(m_handle, position, nullptr, FILE_BEGIN) || !SetEndOfFile(m_handle))
        return lastStatus();
    return SCRIVLET_OK;
}

int FileAccess::append(std::span<const char> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD wanted = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD put = 0;
        if (!WriteFile(m_handle, bytes.data() + done, wanted, &put, nullptr))
            return lastStatus();
        if (put == 0)
            return SCRIVLET_E_IO;
        done += put;
    }
    return SCRIVLET_OK;
}

#else

namespace {

int statusOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return SCRIVLET_E_NOENT;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return SCRIVLET_E_ACCESS;
    case EISDIR:
    case ENXIO:
    case ENODEV:
        return SCRIVLET_E_NOTREG;
    case ENAMETOOLONG:
        return SCRIVLET_E_TOOLONG;
    default:
        return SCRIVLET_E_IO;
    }
}

int lastStatus()
{
    return statusOf(errno);
}

} // namespace

FileAccess::~FileAccess()
{
    close();
}

FileAccess::FileAccess(FileAccess &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_length(other.m_length), m_device(other.m_device),
      m_inode(other.m_inode)
{}

FileAccess &FileAccess::operator=(FileAccess &&other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
        m_length = other.m_length;
        m_device = other.m_device;
        m_inode = other.m_inode;
    }
    return *this;
}

int FileAccess::open(const char *path, Mode mode)
{
    close();
    // O_NONBLOCK: opening a FIFO or a device must not wait for a peer; fstat then refuses it.
    int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
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
    }
    int fd = -1;
    do {
        fd = ::open(path, flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return lastStatus();
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0) {
        const int status = lastStatus();
        ::close(fd);
        return status;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return SCRIVLET_E_NOTREG;
    }
    m_fd = fd;
    m_length = static_cast<std::uint64_t>(info.st_size);
    m_device = static_cast<std::uint64_t>(info.st_dev);
    m_inode = static_cast<std::uint64_t>(info.st_ino);
    return SCRIVLET_OK;
}

void FileAccess::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool FileAccess::isOpen() const
{
    return m_fd >= 0;
}

int FileAccess::size(std::uint64_t &length) const
{
    length = m_length;
    return SCRIVLET_OK;
}

bool FileAccess::sameFileAs(const FileAccess &other) const
{
    return m_device == other.m_device && m_inode == other.m_inode;
}

int FileAccess::readAt(std::uint64_t offset, std::span<char> buffer) const
{
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t got =
            ::pread(m_fd, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return lastStatus();
        }
        if (got == 0)
            return SCRIVLET_E_IO; // the file shrank under us
        done += static_cast<std::size_t>(got);
    }
    return SCRIVLET_OK;
}

int FileAccess::truncate(std::uint64_t length)
{
    int result = 0;
    do {
        result = ::ftruncate(m_fd, static_cast<off_t>(length));
    } while (result != 0 && errno == EINTR);
    return result == 0 ? SCRIVLET_OK : lastStatus();
}

int FileAccess::append(std::span<const char> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return lastStatus();
        }
        if (put == 0)
            return SCRIVLET_E_IO;
        done += static_cast<std::size_t>(put);
    }
    return SCRIVLET_OK;
}

#endif

} // namespace scrivlet
