#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scrivlet::core {

/// Comment text as bytes: the line breaks it is stored with, and the filter the library applies
/// when it writes a comment.
class CommentText
{
public:
    /// The comment as stored: every line break (LF, CR or CR LF, as an editor or a text file gives
    /// it) becomes CR LF, so files read the same on every system.
    static std::string storedText(std::string_view text);
    /// The comment as an editor shows it: every stored line break becomes one LF.
    static std::string shownText(std::string_view text);

    /// @p text without one final line break (LF or CR LF), as a text file or a pipe ends.
    static std::string_view withoutFinalLineBreak(std::string_view text);

    /// The bytes the library keeps of a text, in order, and how many characters it drops (a
    /// multi-byte UTF-8 letter counts once). With @p utf8 bytes 0x80-0xFF are kept as well.
    struct Filtered
    {
        std::string kept;
        std::size_t droppedCharacters = 0;
    };
    static Filtered filter(std::string_view text, bool utf8);
};

} // namespace scrivlet::core
