#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

// The comments the replace driver writes, made from (seed, file, round) alone, so that a checker
// can tell which comments a file may hold after the driver was stopped. No '#' is ever used, so no
// comment holds a marker; each begins with its seed's tag, so drivers with different seeds never
// write the same comment. Round -1 is the comment a file starts with.
namespace driver_comments {

inline std::uint64_t next(std::uint64_t &state)
{
    // splitmix64
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

inline std::uint64_t start(std::uint64_t seed, int file, int round, std::uint64_t salt)
{
    return seed * 1000003u + static_cast<std::uint64_t>(file) * 65537u +
           static_cast<std::uint64_t>(round + 1) * 257u + salt;
}

/// Whether the driver removes the comment in this round instead of replacing it.
inline bool removes(std::uint64_t seed, int file, int round, int removeEvery)
{
    std::uint64_t state = start(seed, file, round, 11);
    return round >= 0 && removeEvery > 0 && next(state) % static_cast<std::uint64_t>(removeEvery) == 0;
}

/// The bytes comments are cut from: printable text with line breaks, made once per seed so that
/// making a comment of a megabyte costs no more than copying it.
inline std::string pool(std::uint64_t seed, std::size_t maxLength)
{
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789 .,:;-\r\n";
    std::uint64_t state = seed * 7u + 5u;
    std::string bytes(2 * maxLength + 1, ' ');
    for (std::size_t i = 0; i < bytes.size(); i += 8) {
        std::uint64_t bits = next(state);
        for (std::size_t j = i; j < std::min(i + 8, bytes.size()); ++j, bits >>= 8)
            bytes[j] = kAlphabet[(bits & 0xFF) % (sizeof kAlphabet - 1)];
    }
    return bytes;
}

/// A third of the comments are short, a third of middling size, a third up to maxLength; each is
/// cut from the seed's pool.
inline std::string comment(const std::string &pool, std::uint64_t seed, int file, int round,
                           std::size_t maxLength)
{
    std::uint64_t state = start(seed, file, round, 23);
    const std::uint64_t kind = next(state) % 3u;
    const std::size_t cap = std::min<std::size_t>(kind == 0 ? 100 : kind == 1 ? 20000 : maxLength, maxLength);
    const auto length = static_cast<std::size_t>(next(state) % (cap + 1));
    std::string text = pool.substr(static_cast<std::size_t>(next(state) % (pool.size() - length)), length);
    if (!text.empty())
        text[0] = static_cast<char>('A' + static_cast<int>(seed % 26u));
    return text;
}

} // namespace driver_comments
