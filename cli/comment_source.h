#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace scrivlet {

/// Reads the input `set` makes its comment from: a text file (-F) or a stream (standard input).
/// The bytes come as they are; core's CommentDraft applies the rules to them.
class CommentSource
{
public:
    enum class Status { Read, TooLong, Failed, Interrupted };

    struct Input
    {
        Status status = Status::Read;
        std::string bytes;
        std::string reason; ///< why it failed
    };

    /// More raw input than this is refused as too long, even when most of it would be dropped.
    static const std::size_t maxInputBytes;

    /// The content of a regular file (a FIFO or device is refused so that reading cannot block).
    static Input fromFile(const std::string &path);

    /// The bytes of a stream up to its end, or until more bytes would be kept than a comment can
    /// hold (with @p utf8 as the filter): a stream that never ends is not read to its end.
    /// @p stopped is asked when a read was interrupted by a signal.
    static Input fromStream(int fd, bool utf8, const std::function<bool()> &stopped);
};

} // namespace scrivlet
