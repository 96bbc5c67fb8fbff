#pragma once

#include "library/src/file_access.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace scrivlet {

/// One undo record of a journal: what a tail change is about to do to which file, enough to put
/// the file's prior bytes back or to tell that the change finished. Records lie back to back in a
/// journal file; a record torn by a kill while it was written fails its checksum and is ignored
/// (the file was not touched yet then).
struct JournalRecord
{
    enum class State : std::uint32_t {
        InFlight = 1,  ///< written before the change; the file may be anywhere on the way
        Done = 2,      ///< the change finished or was undone by its own process
        Recovered = 3, ///< settled by a recovery
    };

    /// Bytes of the fixed part in front of path, old and new bytes.
    static constexpr std::size_t kHeaderSize = 104;
    /// Where the state lies in a record, for marking it in place.
    static constexpr std::size_t kStateOffset = 16;

    State state = State::InFlight;
    std::string path;
    FileIdentity identity;
    std::uint64_t priorLength = 0; ///< offset + before.size()
    std::uint64_t offset = 0;      ///< where the changed tail begins
    std::string before;            ///< the file's bytes from offset to its prior end
    std::string after;             ///< the bytes that replace them
    FileTimes times;               ///< the file's times before the change
    bool sync = false;             ///< the change flushes to the disk, so must its recovery

    /// The record as stored.
    std::string encode() const;
    /// The size of the whole record that begins with @p header (at least kHeaderSize bytes), or
    /// nothing when it is not the start of a record.
    static std::optional<std::uint64_t> sizeOf(std::span<const char> header);
    /// The state of the record that begins with @p header.
    static State stateOf(std::span<const char> header);
    /// The identity of the file that the record beginning with @p header concerns.
    static FileIdentity identityOf(std::span<const char> header);
    /// The record held in @p bytes (exactly one whole record), or nothing when it is torn.
    static std::optional<JournalRecord> decode(std::span<const char> bytes);
};

} // namespace scrivlet
