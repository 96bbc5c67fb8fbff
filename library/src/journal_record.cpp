#include "library/src/journal_record.h"

#include <cstring>

namespace scrivlet {

namespace {

// The fixed part: magic, checksum (of everything from byte 24 on), state, total size, then the
// fields. Journals never leave the machine that wrote them, so numbers are in its own byte order.
constexpr char kMagic[8] = {'S', 'C', 'R', 'V', 'U', 'N', 'D', 'O'};
constexpr std::size_t kChecksumAt = 8;
constexpr std::size_t kSizeAt = 24;
constexpr std::size_t kFieldsAt = 32;
constexpr std::uint32_t kSyncFlag = 1;

template <typename Value> void put(std::string &bytes, std::size_t at, Value value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

template <typename Value> Value get(std::span<const char> bytes, std::size_t at)
{
    Value value{};
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

// Catches a record that a kill or power cut tore; eight bytes at a time, so 2 MB cost little.
std::uint64_t checksum(std::span<const char> bytes)
{
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ bytes.size();
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        hash ^= get<std::uint64_t>(bytes, i);
        hash *= 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 32;
    }
    for (; i < bytes.size(); ++i) {
        hash ^= static_cast<unsigned char>(bytes[i]);
        hash *= 0x100000001B3ull;
    }
    return hash ^ (hash >> 29);
}

} // namespace

std::string JournalRecord::encode() const
{
    std::string bytes(kHeaderSize, '\0');
    bytes.reserve(kHeaderSize + path.size() + before.size() + after.size());
    std::memcpy(bytes.data(), kMagic, sizeof kMagic);
    put(bytes, kStateOffset, static_cast<std::uint32_t>(state));
    put(bytes, kSizeAt, static_cast<std::uint64_t>(kHeaderSize + path.size() + before.size() + after.size()));
    put(bytes, kFieldsAt, identity.device);
    put(bytes, 40, identity.inode);
    put(bytes, 48, priorLength);
    put(bytes, 56, offset);
    put(bytes, 64, static_cast<std::uint64_t>(before.size()));
    put(bytes, 72, static_cast<std::uint64_t>(after.size()));
    put(bytes, 80, static_cast<std::uint32_t>(path.size()));
    put(bytes, 84, sync ? kSyncFlag : 0u);
    put(bytes, 88, times.access);
    put(bytes, 96, times.modify);
    bytes.append(path).append(before).append(after);
    put(bytes, kChecksumAt, checksum(std::span(bytes).subspan(kSizeAt)));
    return bytes;
}

std::optional<std::uint64_t> JournalRecord::sizeOf(std::span<const char> header)
{
    if (header.size() < kHeaderSize || std::memcmp(header.data(), kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    const auto size = get<std::uint64_t>(header, kSizeAt);
    const auto parts = std::uint64_t{get<std::uint32_t>(header, 80)} + get<std::uint64_t>(header, 64) +
                       get<std::uint64_t>(header, 72);
    // Sizes that do not add up (or would overflow) are no record's.
    if (parts > size || size - parts != kHeaderSize)
        return std::nullopt;
    return size;
}

JournalRecord::State JournalRecord::stateOf(std::span<const char> header)
{
    return static_cast<State>(get<std::uint32_t>(header, kStateOffset));
}

FileIdentity JournalRecord::identityOf(std::span<const char> header)
{
    return {get<std::uint64_t>(header, kFieldsAt), get<std::uint64_t>(header, 40)};
}

std::optional<JournalRecord> JournalRecord::decode(std::span<const char> bytes)
{
    const auto size = sizeOf(bytes);
    if (!size || *size != bytes.size() ||
        get<std::uint64_t>(bytes, kChecksumAt) != checksum(bytes.subspan(kSizeAt)))
        return std::nullopt;
    JournalRecord record;
    record.state = stateOf(bytes);
    record.identity = identityOf(bytes);
    record.priorLength = get<std::uint64_t>(bytes, 48);
    record.offset = get<std::uint64_t>(bytes, 56);
    const auto beforeSize = static_cast<std::size_t>(get<std::uint64_t>(bytes, 64));
    const auto afterSize = static_cast<std::size_t>(get<std::uint64_t>(bytes, 72));
    const std::size_t pathSize = get<std::uint32_t>(bytes, 80);
    record.sync = (get<std::uint32_t>(bytes, 84) & kSyncFlag) != 0;
    record.times = {get<std::int64_t>(bytes, 88), get<std::int64_t>(bytes, 96)};
    const char *payload = bytes.data() + kHeaderSize;
    record.path.assign(payload, pathSize);
    record.before.assign(payload + pathSize, beforeSize);
    record.after.assign(payload + pathSize + beforeSize, afterSize);
    if (record.offset + record.before.size() != record.priorLength)
        return std::nullopt;
    return record;
}

} // namespace scrivlet
