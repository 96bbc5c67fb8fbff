#include "app/core/comment_store.h"

#include "app/core/eight_bit_text.h"
#include "core/library_files.h"

#include "scrivlet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

#include <algorithm>
#include <climits>

namespace {

using WriteFunction = int(SCRIVLET_CALL *)(const char *const *, int32_t, const char *const *);
using ReadFunction = int(SCRIVLET_CALL *)(char *, int32_t, const char *const *);
using RemoveFunction = int(SCRIVLET_CALL *)(const char *const *);
using ReplaceFunction = int(SCRIVLET_CALL *)(const char *const *, const char *const *, int32_t, uint32_t);
using RecoverFunction = int(SCRIVLET_CALL *)(ScrivletRecoveryReport, void *);

// The folder of the running program: the application's when there is one, else the executable's.
QString programFolder()
{
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationDirPath();
    const QFileInfo executable(QStringLiteral("/proc/self/exe"));
    return executable.exists() ? QFileInfo(executable.symLinkTarget()).absolutePath() : QString();
}

template <typename Function> Function as(void (*function)())
{
    return reinterpret_cast<Function>(function);
}

} // namespace

LibraryUnavailable::LibraryUnavailable(const QString &libraryFile, const QString &exportName,
                                       const QString &reason)
    : std::runtime_error(
          QStringLiteral("cannot bind %1 from %2: %3").arg(exportName, libraryFile, reason).toStdString()),
      m_libraryFile(libraryFile), m_exportName(exportName)
{}

CommentStore::CommentStore() = default;

CommentStore::CommentStore(const QString &libraryFile) : m_explicitFile(libraryFile)
{}

CommentStore::~CommentStore() = default;

void CommentStore::load(const char *exportName)
{
    if (m_library && m_library->isLoaded())
        return;
    QStringList candidates;
    if (!m_explicitFile.isEmpty()) {
        candidates << m_explicitFile;
    } else {
        for (const std::string &file : scrivlet::core::LibraryFiles::candidates(
                 QDir::toNativeSeparators(programFolder()).toStdString()))
            candidates << QString::fromStdString(file);
    }
    QStringList reasons;
    for (const QString &candidate : candidates) {
        auto library = std::make_unique<QLibrary>(candidate);
        if (library->load()) {
            m_library = std::move(library);
            return;
        }
        reasons << library->errorString();
    }
    throw LibraryUnavailable(candidates.join(QStringLiteral("; ")), QString::fromLatin1(exportName),
                             reasons.join(QStringLiteral("; ")));
}

CommentStore::Function CommentStore::resolve(const char *exportName)
{
    load(exportName);
    const QFunctionPointer function = m_library->resolve(exportName);
    if (function == nullptr)
        throw LibraryUnavailable(m_library->fileName(), QString::fromLatin1(exportName),
                                 m_library->errorString());
    return function;
}

int CommentStore::write(const QByteArray &path, const QString &blockText)
{
    if (m_write == nullptr)
        m_write = resolve("WriteComments");
    const QByteArray text = blockText.toLocal8Bit();
    // The library refuses lengths beyond its limit itself; clamp only what an int32 cannot carry.
    const auto length = static_cast<int32_t>(std::min<qsizetype>(text.size(), qsizetype{INT32_MAX}));
    const char *textPointer = text.constData();
    const char *filePointer = path.constData();
    return as<WriteFunction>(m_write)(&textPointer, length, &filePointer);
}

CommentReadResult CommentStore::read(const QByteArray &path, int capacity)
{
    if (m_read == nullptr)
        m_read = resolve("ReadComments");
    const char *filePointer = path.constData();
    // An area of blanks, as the library's callers have always handed it over; the text ends at the
    // zero byte the library writes.
    QByteArray area(std::max(capacity, 0), ' ');
    CommentReadResult result;
    result.status = as<ReadFunction>(m_read)(area.data(), capacity, &filePointer);
    if (capacity > 0) {
        const qsizetype end = area.indexOf('\0');
        result.text = EightBitText::decode(QByteArrayView(area.constData(), end < 0 ? area.size() : end));
    }
    return result;
}

int CommentStore::remove(const QByteArray &path)
{
    if (m_remove == nullptr)
        m_remove = resolve("DelComments");
    const char *filePointer = path.constData();
    return as<RemoveFunction>(m_remove)(&filePointer);
}

int CommentStore::replace(const QByteArray &path, const QByteArray &text, std::uint32_t flags)
{
    if (m_replace == nullptr)
        m_replace = resolve("ReplaceComments");
    // The library refuses lengths beyond its limit itself; clamp only what an int32 cannot carry.
    const auto length = static_cast<int32_t>(std::min<qsizetype>(text.size(), qsizetype{INT32_MAX}));
    const char *textPointer = text.constData();
    const char *filePointer = path.constData();
    return as<ReplaceFunction>(m_replace)(&filePointer, &textPointer, length, flags);
}

int CommentStore::recover(QList<QPair<QByteArray, int>> *report)
{
    if (m_recover == nullptr)
        m_recover = resolve("RecoverComments");
    const ScrivletRecoveryReport collect = [](void *context, const char *path, int32_t outcome) {
        if (context != nullptr)
            static_cast<QList<QPair<QByteArray, int>> *>(context)->append({QByteArray(path), outcome});
    };
    return as<RecoverFunction>(m_recover)(collect, report);
}
