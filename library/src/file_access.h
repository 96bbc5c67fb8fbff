#pragma once

#include <cstdint>
#include <span>

namespace scrivlet {

/// One open regular file, closed when the object goes. Every operation returns a SCRIVLET_*
/// status. Nothing here knows about comment blocks.
///
/// Opening never blocks on a FIFO or device and refuses anything but a regular file; handles are
/// not inherited by child processes; other programs may keep the file open meanwhile.
class FileAccess
{
public:
    enum class Mode {
        Read,   ///< read only; a missing file is not created
        Write,  ///< write to an existing file (for cutting its end off); a missing file is not created
        Append, ///< write at the end; a missing file is created (0666 less the umask)
    };

    FileAccess() = default;
    ~FileAccess();
    FileAccess(FileAccess &&other) noexcept;
    FileAccess &operator=(FileAccess &&other) noexcept;
    FileAccess(const FileAccess &) = delete;
    FileAccess &operator=(const FileAccess &) = delete;

    /// Opens @p path; on success the object holds the file.
    int open(const char *path, Mode mode);
    void close();
    bool isOpen() const;

    /// The file's length in bytes as it was when opened.
    int size(std::uint64_t &length) const;
    /// Whether both objects hold the same file (not merely the same path).
    bool sameFileAs(const FileAccess &other) const;
    /// Reads exactly buffer.size() bytes from @p offset (short reads are continued).
    int readAt(std::uint64_t offset, std::span<char> buffer) const;
    /// Cuts the file to @p length bytes in place.
    int truncate(std::uint64_t length);
    /// Writes all of @p bytes at the file's end (short writes are continued).
    int append(std::span<const char> bytes);

private:
#ifdef _WIN32
    void *m_handle = nullptr;
#else
    int m_fd = -1;
    // Taken by the fstat that checks the file type at open, so no further call is needed for them.
    std::uint64_t m_length = 0;
    std::uint64_t m_device = 0;
    std::uint64_t m_inode = 0;
#endif
};

} // namespace scrivlet
