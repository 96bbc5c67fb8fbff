#include "library/src/comment_block.h"

#include "scrivlet.h"

#include <algorithm>

namespace scrivlet::comment_block {

namespace {

std::string_view view(Bytes bytes)
{
    return {bytes.data(), bytes.size()};
}

} // namespace

std::string keptBytes(Bytes text, bool utf8)
{
    std::string kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept), [utf8](char byte) {
        const auto value = static_cast<unsigned char>(byte);
        return scrivlet_is_kept_byte(value) != 0 || (utf8 && value >= 0x80);
    });
    return kept;
}

std::string blockOf(Bytes text)
{
    std::string block;
    block.reserve(kMinBlockSize + text.size());
    block.append(kStartMarker).append(view(text)).append(kEndMarker);
    return block;
}

bool readsBackExactly(Bytes keptText)
{
    // The block's own start marker is found before any byte in front of the block is looked at,
    // so checking the block alone answers for every file it may be appended to.
    const std::string block = blockOf(keptText);
    const auto found = locateBlock(block);
    return found && found->start == 0 && found->textEnd == block.size() - kEndMarker.size() &&
           view(keptText).find('\0') == std::string_view::npos;
}

bool endsWithEndMarker(Bytes image)
{
    return view(image).ends_with(kEndMarker);
}

std::optional<std::size_t> findLastStartMarker(Bytes region)
{
    const std::size_t at = view(region).rfind(kStartMarker);
    if (at == std::string_view::npos)
        return std::nullopt;
    return at;
}

std::optional<std::size_t> findFirstEndMarker(Bytes region)
{
    const std::size_t at = view(region).find(kEndMarker);
    if (at == std::string_view::npos)
        return std::nullopt;
    return at;
}

std::optional<BlockPosition> locateBlock(Bytes image, std::size_t reach)
{
    if (!endsWithEndMarker(image))
        return std::nullopt;
    // The start marker must end before the closing end marker and begin within reach of the end;
    // the search never reaches in front of the image's first byte, so an end marker without a
    // start marker gives no block.
    const std::size_t floor = image.size() > reach ? image.size() - reach : 0;
    const std::size_t regionEnd = image.size() - kEndMarker.size();
    if (floor >= regionEnd)
        return std::nullopt;
    const auto start = findLastStartMarker(image.subspan(floor, regionEnd - floor));
    if (!start)
        return std::nullopt;
    BlockPosition block;
    block.start = floor + *start;
    block.textBegin = block.start + kStartMarker.size();
    // The closing end marker lies behind textBegin, so this always finds one; a marker inside the
    // text comes first and ends the text there.
    block.textEnd = block.textBegin + *findFirstEndMarker(image.subspan(block.textBegin));
    return block;
}

std::optional<std::size_t> findNthLastByte(Bytes region, char delimiter, int nth, int &alreadySeen)
{
    for (std::size_t i = region.size(); i-- > 0;) {
        if (region[i] == delimiter && ++alreadySeen == nth)
            return i;
    }
    return std::nullopt;
}

} // namespace scrivlet::comment_block
