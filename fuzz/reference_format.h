#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The comment block operations written the plain way, over a whole file image and one byte at a
// time, straight from their description: the yardstick the fuzzer holds the library against.
namespace reference {

struct Block
{
    std::size_t start;     // index of the start marker's first byte
    std::size_t textBegin; // first byte of the text
    std::size_t textEnd;   // one past its last byte
};

// The bytes the writer keeps: 0x20..0x7E, CR, LF.
std::string kept(std::string_view text);
// The last eight bytes are "#.END.# ".
bool hasEndMarker(std::string_view image);
// The longest block any writer wrote, markers included: a start marker farther from the end than
// `reach` bytes begins the file's own content.
constexpr std::size_t kReach = 1000000;
// Backward scan from the byte before the end marker for "#.START.#", then the forward text copy
// up to the first end marker. Nothing without an end marker or without a start marker within
// `reach` bytes of the end.
std::optional<Block> block(std::string_view image, std::size_t reach = kReach);
// What the reader gives: the block's text up to its first zero byte, at most `limit` bytes.
std::string readText(std::string_view image, std::size_t limit, std::size_t reach = kReach);
// The image after the block is cut off (unchanged without a block).
std::string afterRemove(std::string_view image, std::size_t reach = kReach);
// The image cut at its second-last 0x81 byte (unchanged with fewer than two).
std::string afterErase(std::string_view image);
// Naive searches.
std::optional<std::size_t> lastIndexOf(std::string_view image, std::string_view needle);
std::optional<std::size_t> firstIndexOf(std::string_view image, std::string_view needle);

} // namespace reference
