#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace scrivlet {

/// The calls that change a file, as the test seam sees them.
enum class FileChange {
    Write,    ///< a write at an offset or at the end
    Truncate, ///< a cut (or an extension) to a length
    Reserve,  ///< a reservation of disk space
};

/// Test seam, consulted before every write, cut and reservation of every file (journals included).
/// It returns 0 to let the call go on, or an errno value (ENOSPC, EIO, EFBIG, ...) to make it fail
/// with; for a failing write it may first let @p bytes (at most the call's size) through.
using ChangeHook = int (*)(FileChange change, std::size_t &bytes, void *context);
/// Installs @p hook for the whole process (nullptr removes it). Not thread-safe: tests only.
void setChangeHook(ChangeHook hook, void *context);

/// Which file a handle holds: the same numbers mean the same file while it exists.
struct FileIdentity
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity &) const = default;
};

/// A file's access and modification times, in the system's own units.
struct FileTimes
{
    std::int64_t access = 0;
    std::int64_t modify = 0;
};

/// One open regular file, closed (and unlocked) when the object goes. Every operation returns a
/// SCRIVLET_* status. Nothing here knows about comment blocks.
///
/// Opening never blocks on a FIFO or device and refuses anything but a regular file; handles are
/// not inherited by child processes; other programs may keep the file open meanwhile (no sharing
/// restriction). Locks are advisory and bind only those who take them: on POSIX a flock() on the
/// open file, on Windows LockFileEx on one byte far beyond any end of file, so that no byte of
/// data is ever locked against other programs.
class FileAccess
{
public:
    enum class Mode {
        Read,   ///< read only; a missing file is not created
        Write,  ///< write to an existing file (for cutting its end off); a missing file is not created
        Append, ///< write at the end; a missing file is created (0666 less the umask)
        Update, ///< read and write an existing file; a missing file is not created
        Create, ///< read and write a new file that must not exist yet (0600)
    };
    enum class Lock { Shared, Exclusive };

    FileAccess() = default;
    ~FileAccess();
    FileAccess(FileAccess &&other) noexcept;
    FileAccess &operator=(FileAccess &&other) noexcept;
    FileAccess(const FileAccess &) = delete;
    FileAccess &operator=(const FileAccess &) = delete;

    /// How long lock() waits for a lock held by someone else before it gives SCRIVLET_E_BUSY.
    static void setLockWait(std::chrono::milliseconds wait);
    static std::chrono::milliseconds lockWait();

    /// Opens @p path, and with @p lock takes that lock first (see lock()); on success the object
    /// holds the file, and its length, identity and times are those of the moment it was opened
    /// and locked, taken by one fstat after the lock, so no holder can change them unseen.
    int open(const char *path, Mode mode, std::optional<Lock> lock = std::nullopt);
    /// As open(), with @p path relative to the open folder @p folder (a descriptor; POSIX only).
    int openIn(int folder, const char *path, Mode mode, std::optional<Lock> lock = std::nullopt);
    void close();
    bool isOpen() const;

    /// Takes the lock, waiting at most lockWait() (or not at all with @p wait false) for a holder
    /// to let go. Length, identity and times stay as they were taken: see open() and refresh().
    int lock(Lock kind, bool wait = true);
    /// Takes length and identity afresh from the file, and with @p times its times too (those
    /// restoreTimes() puts back).
    int refresh(bool times = false);

    /// The file's length when opened, locked after a wait, or refreshed; changes made through this
    /// object are followed.
    std::uint64_t length() const { return m_length; }
    FileIdentity identity() const { return m_identity; }
    /// Whether both objects hold the same file (not merely the same path).
    bool sameFileAs(const FileAccess &other) const;

    /// Reads exactly buffer.size() bytes from @p offset (short reads are continued).
    int readAt(std::uint64_t offset, std::span<char> buffer) const;
    /// Reads what there is from @p offset, at most buffer.size() bytes; @p got tells how many.
    int readSomeAt(std::uint64_t offset, std::span<char> buffer, std::size_t &got) const;
    /// Writes all of @p bytes at @p offset (short writes are continued).
    int writeAt(std::uint64_t offset, std::span<const char> bytes);
    /// Writes all of @p bytes at the file's true end, never at a fixed offset, so that a program
    /// appending without locking keeps its bytes; @p at tells where the first byte landed (the
    /// end just before). SCRIVLET_E_CHANGED when someone else's bytes came between two pieces.
    int append(std::span<const char> bytes, std::uint64_t &at);
    /// Cuts (or extends) the file to @p length bytes in place.
    int truncate(std::uint64_t length);
    /// Reserves disk space for bytes [offset, offset + count) without changing the length, so that
    /// writing them later cannot run out of space. SCRIVLET_OK where the file system cannot.
    int reserve(std::uint64_t offset, std::uint64_t count);
    /// Flushes the file's data to the disk.
    int sync();
    /// Gives the file back the access and modification times it had when opened (or refreshed
    /// with times).
    int restoreTimes() { return setTimes(m_times); }
    FileTimes times() const { return m_times; }
    int setTimes(const FileTimes &times);

private:
#ifdef _WIN32
    using Handle = void *;
    static constexpr Handle kNoHandle = nullptr;
#else
    using Handle = int;
    static constexpr Handle kNoHandle = -1;
#endif
    int tryLock(Lock kind, bool &contended);
    /// One read or write system call at @p offset; @p done tells how many bytes it moved, 0 at the
    /// end of the file. A write with @p atEnd goes to the file's end and sets @p offset to where
    /// its bytes landed.
    int readOnce(std::uint64_t offset, std::span<char> buffer, std::size_t &done) const;
    int writeOnce(std::uint64_t &offset, bool atEnd, std::span<const char> bytes, std::size_t &done);
    int writeAll(std::uint64_t &offset, bool atEnd, std::span<const char> bytes);
    int cutTo(std::uint64_t length);
    int allocate(std::uint64_t offset, std::uint64_t count);

    Handle m_handle = kNoHandle;
    bool m_appending = false; ///< POSIX: O_APPEND was turned on for writes at the end
    FileTimes m_times;
    bool m_locked = false;
    std::uint64_t m_length = 0;
    FileIdentity m_identity;
};

/// The SCRIVLET_* status for an errno value.
int statusOfErrno(int error);

/// SCRIVLET_E_NOSPACE when writing up to @p end (one past the last byte) would pass this process's
/// file-size limit (RLIMIT_FSIZE), else SCRIVLET_OK: a write there would fail with EFBIG after
/// raising SIGXFSZ, whose default action ends the process. FileAccess checks every write, cut and
/// reservation with it; code that grows a file by other means should too. Always OK on Windows.
int checkSizeLimit(std::uint64_t end);

/// Holds off SIGXFSZ in the calling thread while the library changes files, so that a file-size
/// limit met anyway (one lowered meanwhile) is an EFBIG to roll back, not the end of the process.
/// On leaving, a SIGXFSZ that the library's writes raised is consumed (one that was pending before
/// is left to the caller) and the thread's signal mask is put back. While a hold lasts,
/// checkSizeLimit() uses the limit read when it began. Nothing on Windows.
class SizeSignalHold
{
public:
    SizeSignalHold();
    ~SizeSignalHold();
    SizeSignalHold(const SizeSignalHold &) = delete;
    SizeSignalHold &operator=(const SizeSignalHold &) = delete;

private:
    bool m_wasBlocked = false;
    bool m_wasPending = false;
    // The limit known to an enclosing hold, put back on leaving (POSIX only).
    bool m_outerLimitKnown = false;
    unsigned long long m_outerLimit = 0;
};

} // namespace scrivlet
