#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>

#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>

class QLibrary;

namespace scrivlet {

/// Raised when the comment store library or one of its exports cannot be bound. The flows catch it
/// and go on without a message.
class LibraryUnavailable : public std::runtime_error
{
public:
    LibraryUnavailable(const QString &libraryFile, const QString &exportName, const QString &reason);

    /// The library file that was tried (as given, or every place searched, separated by "; ").
    QString libraryFile() const { return m_libraryFile; }
    /// The export that was wanted when binding failed.
    QString exportName() const { return m_exportName; }

private:
    QString m_libraryFile;
    QString m_exportName;
};

/// What CommentStore::read gives: the comment text (empty when the file has no block) and the
/// library's status (SCRIVLET_OK or one of the negative SCRIVLET_E_* codes of scrivlet.h).
struct CommentReadResult
{
    QString text;
    int status = 0;
};

/// The program's binding to the comment store library (libScrivlet.so / Scrivlet.dll).
///
/// Each export is bound by name at its first call; the library stays loaded while the store
/// lives. Without an explicit file, the library is looked for in the program's own folder first
/// (libScrivlet.so), then as the installed libScrivlet.so.1 through the system's library search. Paths are
/// handed over as their own bytes; the block texts of write() in the locale's 8-bit encoding
/// (QString::toLocal8Bit); the block length counts the converted bytes.
///
/// Every method throws LibraryUnavailable when the library or the export it needs is missing, and
/// otherwise returns the library's status (0 done, negative SCRIVLET_E_* codes).
///
/// One store may be used from several threads at once: the binding is made under a lock, and
/// the library's calls themselves may come from any thread.
class CommentStore
{
public:
    /// The size of the result area read() hands to the library unless told otherwise.
    static constexpr int DefaultReadCapacity = 65535;

    /// Uses libScrivlet.so from the program's folder, else the installed libScrivlet.so.1 that the
    /// system's loader finds.
    CommentStore();
    /// Uses exactly this library file (a path, or a bare name for the system's search).
    explicit CommentStore(const QString &libraryFile);
    ~CommentStore();

    CommentStore(const CommentStore &) = delete;
    CommentStore &operator=(const CommentStore &) = delete;

    /// Appends a whole block text (markers included; the library adds nothing) to the file.
    int write(const QByteArray &path, const QString &blockText);
    /// Reads the comment text of the file's block through a result area of @p capacity bytes. The
    /// bytes are decoded as EightBitText does: UTF-8 when they are valid UTF-8, else Windows-1252.
    CommentReadResult read(const QByteArray &path, int capacity = DefaultReadCapacity);
    /// Cuts the file's block off; a file without a block is left untouched.
    int remove(const QByteArray &path);
    /// Replaces the file's comment by the bytes @p text (the text alone; the library adds the
    /// markers), or with SCRIVLET_REPLACE_REMOVE in @p flags removes it, as one change that a
    /// failure or a killed process cannot leave half done (ReplaceComments). The file must exist.
    /// The bytes go over as given: the caller has encoded them (UTF-8 with SCRIVLET_REPLACE_UTF8).
    int replace(const QByteArray &path, const QByteArray &text, std::uint32_t flags = 0);
    /// Puts right what killed processes left half done (RecoverComments); each file met is added
    /// to @p report with the outcome (SCRIVLET_RECOVERED_* or a negative status) when given.
    int recover(QList<QPair<QByteArray, int>> *report = nullptr);

private:
    using Function = void (*)();
    /// The export, bound at its first use; @p slot keeps it for later calls from any thread.
    Function bound(std::atomic<Function> &slot, const char *exportName);
    Function resolve(const char *exportName);
    void load(const char *exportName);

    QString m_explicitFile;
    std::mutex m_bindMutex; // guards m_library and the binding of the exports
    std::unique_ptr<QLibrary> m_library;
    std::atomic<Function> m_write = nullptr;
    std::atomic<Function> m_read = nullptr;
    std::atomic<Function> m_remove = nullptr;
    std::atomic<Function> m_replace = nullptr;
    std::atomic<Function> m_recover = nullptr;
};

} // namespace scrivlet
