#pragma once

#include "scrivlet.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The comment block format on byte spans: "#.START.#" text "#.END.# " at the very end of a file.
// Nothing here knows about files; the search functions are written so that a caller can feed a
// file's tail piece by piece and get the same answers as on the whole image.
namespace scrivlet::comment_block {

inline constexpr std::string_view kStartMarker = SCRIVLET_START_MARKER;
inline constexpr std::string_view kEndMarker = SCRIVLET_END_MARKER;
/// The smallest block: the two markers back to back (an empty comment).
inline constexpr std::size_t kMinBlockSize = kStartMarker.size() + kEndMarker.size();
/// The longest block, markers included, that any writer of the format ever wrote: a start marker
/// farther than this from the file's end begins the file's own content, not a block.
inline constexpr std::size_t kMaxBlockSize = SCRIVLET_MAX_TEXT;
/// The byte that delimits the trailer eraser() cuts off.
inline constexpr char kEraserDelimiter = '\x81';

using Bytes = std::span<const char>;

/// Where a block lies in a file image: the start marker's first byte, and the text [textBegin, textEnd).
struct BlockPosition
{
    std::size_t start = 0;
    std::size_t textBegin = 0;
    std::size_t textEnd = 0;
};

/// The bytes WriteComments keeps of a text, in order: 0x20..0x7E, CR and LF; with @p utf8 also
/// 0x80..0xFF, so that UTF-8 text passes whole.
std::string keptBytes(Bytes text, bool utf8 = false);

/// "#.START.#" + text + "#.END.# ".
std::string blockOf(Bytes text);

/// Whether the block of @p keptText, wherever it is appended, reads back as exactly this text: the
/// text holds no marker and forms none with the block's own markers.
bool readsBackExactly(Bytes keptText);

/// Whether the image ends in the end marker (its last eight bytes), i.e. may carry a block.
bool endsWithEndMarker(Bytes image);

/// Index of the last start marker lying wholly inside @p region, if any.
std::optional<std::size_t> findLastStartMarker(Bytes region);

/// Index of the first end marker lying wholly inside @p region, if any.
std::optional<std::size_t> findFirstEndMarker(Bytes region);

/// The block of a whole file image: the last start marker that ends before the closing end marker,
/// and its text up to the first end marker after it. Nothing when the image carries no block, or
/// when that start marker lies more than @p reach bytes before the image's end.
std::optional<BlockPosition> locateBlock(Bytes image, std::size_t reach = kMaxBlockSize);

/// Index of the @p nth-last occurrence of @p delimiter in @p region, counting @p alreadySeen
/// occurrences met after the region (the region is scanned from its end). On return
/// @p alreadySeen includes the occurrences passed in this region.
std::optional<std::size_t> findNthLastByte(Bytes region, char delimiter, int nth, int &alreadySeen);

} // namespace scrivlet::comment_block
