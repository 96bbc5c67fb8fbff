#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

/// The comment `set` writes: gathered from an argument, a file or a stream, and reduced to the
/// bytes the comment format keeps.
class CommentInput
{
public:
    /// The largest comment that fits the library with its two markers.
    static const std::size_t MaxCommentBytes;

    /// Reads a comment from a stream, at most MaxCommentBytes + 1 bytes (a longer comment is
    /// refused later anyway, and standard input may never end). One final line feed is left out,
    /// so that what `show` printed comes back unchanged. False when the stream failed.
    static bool readStream(std::istream &in, std::string &comment);

    /// readStream over a file; a FIFO or device is refused so that reading cannot block.
    /// False with a reason when the file cannot be read.
    static bool readFile(const std::string &path, std::string &comment, std::string &reason);

    /// The bytes the comment format keeps, in order, and how many characters were dropped
    /// (a multi-byte UTF-8 letter counts once).
    struct Filtered
    {
        std::string kept;
        std::size_t droppedCharacters = 0;
    };
    static Filtered filter(std::string_view comment);

    /// "#.START.#" + kept comment + "#.END.# ", the block the program writes too.
    static std::string blockText(std::string_view keptComment);
};
