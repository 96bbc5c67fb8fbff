#pragma once

#include "library/src/recovery.h"
#include "scrivlet.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// The operations on a file's comment block, joining the format (comment_block) and the file access
// (file_access). A block is located by reading backwards from the file's end in growing chunks, so
// the cost depends on the block's size, not the file's; the answers are those of a search over the
// whole file image. Every function returns a SCRIVLET_* status. Each takes the file's lock: shared
// for reading, exclusive for changing it.
namespace scrivlet::comment_file {

/// How much is read at a time: the first chunk (from the file's end) and the largest one; and how
/// far from the end a block may begin (comment_block::kMaxBlockSize), so that a search never reads
/// more than that. Tests pass tiny sizes so that markers straddle chunk boundaries and the reach.
struct ChunkSizes
{
    std::size_t first = 4096;
    std::size_t largest = std::size_t{1} << 20;
    std::size_t reach = SCRIVLET_MAX_TEXT;
};

/// Appends the kept bytes of @p text to the file, creating it when missing. A text longer than
/// SCRIVLET_MAX_TEXT writes nothing; a failed write is cut off again.
int write(const char *path, std::span<const char> text);

/// Replaces the file's block by the block of @p text (its kept bytes), or removes it with
/// SCRIVLET_REPLACE_REMOVE, as one change (see applyTailChange); @p flags are SCRIVLET_REPLACE_*.
/// A file that already ends as asked is not written.
int replace(const char *path, std::span<const char> text, std::uint32_t flags, ChunkSizes chunks = {});

/// Settles what ended processes left unfinished in their journals (see JournalSet::recoverAll).
int recover(const recovery::Report &report);

/// Settles the kept records of the file at @p path, or drops those naming it with @p discard (see
/// JournalSet::settleFile).
int settle(const char *path, bool discard, const recovery::Report &report);

/// Gives the text of the file's block (empty without one), cut at its first zero byte and to at
/// most @p limit bytes. A missing file is not created.
int read(const char *path, std::size_t limit, std::string &text, ChunkSizes chunks = {});

/// Cuts the file's block off in place; a file without a block is not opened for writing.
int remove(const char *path, ChunkSizes chunks = {});

/// Cuts the file at its second-last 0x81 byte; with fewer than two the file is not opened for writing.
int erase(const char *path, ChunkSizes chunks = {});

} // namespace scrivlet::comment_file
