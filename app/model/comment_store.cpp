#include "app/model/comment_store.h"

#include "app/model/eight_bit_text.h"
#include "core/library_files.h"

#include "scrivlet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <climits>

namespace scrivlet {

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

// The bytes at the end of @p text that begin a UTF-8 sequence but lack its last bytes.
qsizetype incompleteUtf8Tail(QByteArrayView text)
{
    for (qsizetype back = 1; back <= std::min<qsizetype>(3, text.size()); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: the sequence began further back
        const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

// A text cut to the result area may end inside a UTF-8 character, and would then no longer read
// as UTF-8: that character's first bytes go when the rest is UTF-8 with characters beyond ASCII.
// Without those, a last byte such as 0xE9 is as likely a whole Windows-1252 letter and stays.
QByteArrayView withoutCutCharacter(QByteArrayView text)
{
    const qsizetype tail = incompleteUtf8Tail(text);
    if (tail == 0)
        return text;
    const QByteArrayView kept = text.chopped(tail);
    if (std::all_of(kept.begin(), kept.end(),
                    [](char byte) { return static_cast<unsigned char>(byte) < 0x80; }))
        return text;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString decoded = utf8.decode(kept);
    return utf8.hasError() ? text : kept;
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

CommentStore::Function CommentStore::bound(std::atomic<Function> &slot, const char *exportName)
{
    if (const Function function = slot.load(std::memory_order_acquire))
        return function;
    const std::lock_guard lock(m_bindMutex);
    Function function = slot.load(std::memory_order_relaxed);
    if (function == nullptr) {
        function = resolve(exportName);
        slot.store(function, std::memory_order_release);
    }
    return function;
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
    const QByteArray text = blockText.toLocal8Bit();
    // The library refuses lengths beyond its limit itself; clamp only what an int32 cannot carry.
    const auto length = static_cast<int32_t>(std::min<qsizetype>(text.size(), qsizetype{INT32_MAX}));
    const char *textPointer = text.constData();
    const char *filePointer = path.constData();
    return as<WriteFunction>(bound(m_write, "WriteComments"))(&textPointer, length, &filePointer);
}

CommentReadResult CommentStore::read(const QByteArray &path, int capacity)
{
    const char *filePointer = path.constData();
    // An area of blanks, as the library's callers have always handed it over; the text ends at the
    // zero byte the library writes.
    QByteArray area(std::max(capacity, 0), ' ');
    CommentReadResult result;
    result.status = as<ReadFunction>(bound(m_read, "ReadComments"))(area.data(), capacity, &filePointer);
    if (capacity > 0) {
        const qsizetype end = area.indexOf('\0');
        QByteArrayView text(area.constData(), end < 0 ? area.size() : end);
        if (text.size() == capacity - 1)
            text = withoutCutCharacter(text);
        result.text = EightBitText::decode(text);
    }
    return result;
}

int CommentStore::remove(const QByteArray &path)
{
    const char *filePointer = path.constData();
    return as<RemoveFunction>(bound(m_remove, "DelComments"))(&filePointer);
}

int CommentStore::replace(const QByteArray &path, const QByteArray &text, std::uint32_t flags)
{
    // The library refuses lengths beyond its limit itself; clamp only what an int32 cannot carry.
    const auto length = static_cast<int32_t>(std::min<qsizetype>(text.size(), qsizetype{INT32_MAX}));
    const char *textPointer = text.constData();
    const char *filePointer = path.constData();
    return as<ReplaceFunction>(bound(m_replace, "ReplaceComments"))(&filePointer, &textPointer, length,
                                                                    flags);
}

int CommentStore::recover(QList<QPair<QByteArray, int>> *report)
{
    const ScrivletRecoveryReport collect = [](void *context, const char *path, int32_t outcome) {
        if (context != nullptr)
            static_cast<QList<QPair<QByteArray, int>> *>(context)->append({QByteArray(path), outcome});
    };
    return as<RecoverFunction>(bound(m_recover, "RecoverComments"))(collect, report);
}

} // namespace scrivlet
