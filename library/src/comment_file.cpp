#include "library/src/comment_file.h"

#include "library/src/comment_block.h"
#include "library/src/file_access.h"
#include "library/src/journal_set.h"
#include "library/src/tail_change.h"
#include "scrivlet.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <optional>
#include <utility>

namespace scrivlet::comment_file {

namespace cb = comment_block;

namespace {

std::size_t grown(std::size_t chunk, const ChunkSizes &chunks)
{
    return std::min(chunk * 2, std::max(chunks.largest, std::size_t{1}));
}

// Bytes [begin, begin + bytes.size()) of a file.
struct Window
{
    std::uint64_t begin = 0;
    std::string bytes;
};

// The file's block start, if it has a block, and the bytes read from there on.
struct StartSearch
{
    int status = SCRIVLET_OK;
    std::optional<std::uint64_t> start;
    Window window; // begins at or before the start marker
};

// Reads backwards from the file's end: the end-marker test on the last eight bytes, then the last
// start marker lying wholly before the end marker and beginning within reach of the end (a span
// longer than any block is the file's own content). Each new chunk is searched together with the
// first eight bytes of the one after it, so a marker straddling two chunks is still found.
StartSearch findBlockStart(const FileAccess &file, std::uint64_t length, const ChunkSizes &chunks)
{
    StartSearch search;
    if (length < cb::kEndMarker.size())
        return search;
    const std::uint64_t regionEnd = length - cb::kEndMarker.size();
    const std::uint64_t floor = length > chunks.reach ? length - chunks.reach : 0;
    if (floor >= regionEnd)
        return search; // no room for a start marker within reach
    Window &window = search.window;
    window.begin = length;
    std::size_t chunk = std::max(chunks.first, cb::kMinBlockSize);
    std::string piece;
    while (window.begin > floor) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(chunk, window.begin - floor));
        piece.resize(count);
        const std::uint64_t begin = window.begin - count;
        search.status = file.readAt(begin, piece);
        if (search.status != SCRIVLET_OK)
            return search;
        window.bytes.insert(0, piece);
        window.begin = begin;
        if (window.begin + window.bytes.size() == length && !cb::endsWithEndMarker(window.bytes))
            return search;
        const auto searchable =
            static_cast<std::size_t>(std::min<std::uint64_t>(window.bytes.size(), regionEnd - window.begin));
        if (const auto at = cb::findLastStartMarker(std::span(window.bytes).first(searchable))) {
            search.start = window.begin + *at;
            return search;
        }
        window.bytes.resize(std::min(window.bytes.size(), cb::kStartMarker.size() - 1));
        chunk = grown(chunk, chunks);
    }
    return search;
}

// Copies the text that begins at window.begin up to the first end marker, a zero byte or the
// limit, whichever comes first, reading further chunks only while none of them has come.
int copyText(const FileAccess &file, std::uint64_t length, Window window, std::size_t limit,
             std::string &text, const ChunkSizes &chunks)
{
    std::size_t chunk = std::max(chunks.first, std::size_t{1});
    std::uint64_t next = window.begin + window.bytes.size();
    std::string piece;
    while (true) {
        const auto end = cb::findFirstEndMarker(window.bytes);
        // Bytes that may still begin an end marker wait for the next chunk.
        const std::size_t keep = cb::kEndMarker.size() - 1;
        const std::size_t decided =
            end ? *end : (window.bytes.size() > keep ? window.bytes.size() - keep : std::size_t{0});
        const char *zero = static_cast<const char *>(std::memchr(window.bytes.data(), 0, decided));
        const std::size_t usable =
            zero != nullptr ? static_cast<std::size_t>(zero - window.bytes.data()) : decided;
        const std::size_t taken = std::min(usable, limit - text.size());
        text.append(window.bytes, 0, taken);
        if (end || zero != nullptr || text.size() == limit)
            return SCRIVLET_OK;
        if (next >= length)
            return SCRIVLET_E_IO; // the closing end marker went away while we read
        window.bytes.erase(0, decided);
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(chunk, length - next));
        piece.resize(count);
        if (const int status = file.readAt(next, piece); status != SCRIVLET_OK)
            return status;
        window.bytes += piece;
        next += count;
        chunk = grown(chunk, chunks);
    }
}

// Cuts the file opened for reading (and locked) as @p reader to @p length bytes, through a second
// handle opened for writing only now, so that files left as they are are never opened for writing.
int cut(const char *path, const FileAccess &reader, std::uint64_t length)
{
    FileAccess writer;
    if (const int status = writer.open(path, FileAccess::Mode::Write); status != SCRIVLET_OK)
        return status;
    // The path was replaced, or a program that does not lock appended to the file, since the
    // search: cutting now could lose bytes that are not the block's.
    if (!writer.sameFileAs(reader) || writer.length() != reader.length())
        return SCRIVLET_E_CHANGED;
    return writer.truncate(length);
}

// The bytes from the block's start to the file's end (none without a block).
int blockBytes(const FileAccess &file, const StartSearch &search, std::string &bytes)
{
    bytes.clear();
    if (!search.start)
        return SCRIVLET_OK;
    const Window &window = search.window;
    const auto skip = static_cast<std::size_t>(*search.start - window.begin);
    if (window.begin + window.bytes.size() == file.length()) {
        bytes.assign(window.bytes, skip);
        return SCRIVLET_OK;
    }
    bytes.resize(static_cast<std::size_t>(file.length() - *search.start));
    return file.readAt(*search.start, bytes);
}

int openLocked(const char *path, FileAccess::Mode mode, FileAccess::Lock lock, FileAccess &file)
{
    return file.open(path, mode, lock);
}

} // namespace

int write(const char *path, std::span<const char> text)
{
    const SizeSignalHold hold; // a file-size limit met while writing is an error, not the end
    if (text.size() > SCRIVLET_MAX_TEXT)
        return SCRIVLET_E_TOOLONG;
    const std::string kept = cb::keptBytes(text);
    FileAccess file;
    if (const int status = openLocked(path, FileAccess::Mode::Append, FileAccess::Lock::Exclusive, file);
        status != SCRIVLET_OK)
        return status;
    TailChange change;
    change.offset = file.length();
    change.after = kept;
    change.anywhere = true;
    return applyTailChange(file, path, change, nullptr);
}

int replace(const char *path, std::span<const char> text, std::uint32_t flags, ChunkSizes chunks)
{
    const SizeSignalHold hold;
    const bool remove = (flags & SCRIVLET_REPLACE_REMOVE) != 0;
    std::string block;
    if (!remove) {
        if (text.size() > SCRIVLET_MAX_COMMENT)
            return SCRIVLET_E_TOOLONG;
        const std::string kept = cb::keptBytes(text, (flags & SCRIVLET_REPLACE_UTF8) != 0);
        if (!cb::readsBackExactly(kept))
            return SCRIVLET_E_MARKER;
        block = cb::blockOf(kept);
    }
    JournalSet &journals = JournalSet::process();
    const std::lock_guard<std::mutex> guard(journals.mutex());
    if (const int status = journals.beforeLock(); status != SCRIVLET_OK)
        return status;
    FileAccess file;
    if (const int status = openLocked(path, FileAccess::Mode::Update, FileAccess::Lock::Exclusive, file);
        status != SCRIVLET_OK) {
        // A removal from a file we may only read is refused only when there is a block to remove.
        if (status == SCRIVLET_E_ACCESS && remove &&
            openLocked(path, FileAccess::Mode::Read, FileAccess::Lock::Shared, file) == SCRIVLET_OK) {
            const StartSearch search = findBlockStart(file, file.length(), chunks);
            return search.status != SCRIVLET_OK ? search.status : search.start ? status : SCRIVLET_OK;
        }
        return status;
    }
    // A change to this file that a killed process left half done is put right first.
    journals.settleHeld(file);
    const StartSearch search = findBlockStart(file, file.length(), chunks);
    if (search.status != SCRIVLET_OK)
        return search.status;
    std::string before;
    if (const int status = blockBytes(file, search, before); status != SCRIVLET_OK)
        return status;
    TailChange change;
    change.offset = search.start.value_or(file.length());
    change.before = before;
    change.after = block;
    change.keepTimes = (flags & SCRIVLET_REPLACE_KEEP_TIMES) != 0;
    change.sync = (flags & SCRIVLET_REPLACE_SYNC) != 0;
    if (change.before == change.after)
        return SCRIVLET_OK;
    return applyTailChange(file, path, change, &journals.journal());
}

int recover(const recovery::Report &report)
{
    const SizeSignalHold hold;
    JournalSet &journals = JournalSet::process();
    const std::lock_guard<std::mutex> guard(journals.mutex());
    return journals.recoverAll(report);
}

int settle(const char *path, bool discard, const recovery::Report &report)
{
    JournalSet &journals = JournalSet::process();
    const std::lock_guard<std::mutex> guard(journals.mutex());
    return journals.settleFile(path, discard, report);
}

int read(const char *path, std::size_t limit, std::string &text, ChunkSizes chunks)
{
    text.clear();
    FileAccess file;
    if (const int status = openLocked(path, FileAccess::Mode::Read, FileAccess::Lock::Shared, file);
        status != SCRIVLET_OK)
        return status;
    const std::uint64_t length = file.length();
    StartSearch search = findBlockStart(file, length, chunks);
    if (search.status != SCRIVLET_OK || !search.start)
        return search.status;
    Window textWindow;
    textWindow.begin = *search.start + cb::kStartMarker.size();
    textWindow.bytes =
        search.window.bytes.substr(static_cast<std::size_t>(textWindow.begin - search.window.begin));
    const int status = copyText(file, length, std::move(textWindow), limit, text, chunks);
    if (status != SCRIVLET_OK)
        text.clear();
    return status;
}

int remove(const char *path, ChunkSizes chunks)
{
    const SizeSignalHold hold;
    // Read only, though exclusively locked: a file without a block is never opened for writing.
    FileAccess file;
    if (const int status = openLocked(path, FileAccess::Mode::Read, FileAccess::Lock::Exclusive, file);
        status != SCRIVLET_OK)
        return status;
    const StartSearch search = findBlockStart(file, file.length(), chunks);
    if (search.status != SCRIVLET_OK || !search.start)
        return search.status;
    return cut(path, file, *search.start);
}

int erase(const char *path, ChunkSizes chunks)
{
    const SizeSignalHold hold;
    FileAccess file;
    if (const int status = openLocked(path, FileAccess::Mode::Read, FileAccess::Lock::Exclusive, file);
        status != SCRIVLET_OK)
        return status;
    std::uint64_t end = file.length();
    std::size_t chunk = std::max(chunks.first, std::size_t{1});
    std::string piece;
    int seen = 0;
    while (end > 0) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(chunk, end));
        piece.resize(count);
        const std::uint64_t begin = end - count;
        if (const int status = file.readAt(begin, piece); status != SCRIVLET_OK)
            return status;
        if (const auto at = cb::findNthLastByte(piece, cb::kEraserDelimiter, 2, seen))
            return cut(path, file, begin + *at);
        end = begin;
        chunk = grown(chunk, chunks);
    }
    return SCRIVLET_OK;
}

} // namespace scrivlet::comment_file
