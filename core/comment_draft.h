#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scrivlet::core {

/// The comment a save will store, checked before any file is touched: what the library keeps of
/// the input, and whether it can be stored so that it reads back exactly.
///
/// The input is taken as the user gave it: a text file that carries a comment block of its own
/// contributes its content without that block, and text from a file or a pipe loses one final line
/// break. Then it is filtered, and the size limit applies to what would be stored.
class CommentDraft
{
public:
    enum class Source { Argument, TextFile, Stream };
    enum class Refusal {
        None,
        TooLong, ///< more kept bytes than a block holds (see maxBytes)
        Marker,  ///< the text holds a marker or forms one with the block's own
    };

    /// The most bytes a stored comment may have: a block with its markers fills the library's limit.
    static const std::size_t maxBytes;

    static CommentDraft prepare(std::string_view input, Source source, bool utf8);

    /// The bytes to store (already filtered).
    const std::string &text() const { return m_filteredText; }
    std::size_t droppedCharacters() const { return m_droppedCharacters; }
    Refusal refusal() const { return m_refusal; }

private:
    std::string m_filteredText;
    std::size_t m_droppedCharacters = 0;
    Refusal m_refusal = Refusal::None;
};

} // namespace scrivlet::core
