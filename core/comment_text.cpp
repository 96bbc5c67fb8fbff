#include "core/comment_text.h"

#include "library/src/comment_block.h"
#include "scrivlet.h"

namespace scrivlet::core {

std::string CommentText::shownText(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            shown.push_back(text[i]);
            continue;
        }
        shown.push_back('\n');
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return shown;
}

std::string CommentText::storedText(std::string_view text)
{
    const std::string shown = shownText(text);
    std::string stored;
    stored.reserve(shown.size() + shown.size() / 16);
    for (const char c : shown) {
        if (c == '\n')
            stored.push_back('\r');
        stored.push_back(c);
    }
    return stored;
}

std::string_view CommentText::withoutFinalLineBreak(std::string_view text)
{
    if (text.ends_with("\r\n"))
        text.remove_suffix(2);
    else if (text.ends_with('\n'))
        text.remove_suffix(1);
    return text;
}

CommentText::Filtered CommentText::filter(std::string_view text, bool utf8)
{
    Filtered result;
    result.kept = comment_block::keptBytes(text, utf8);
    if (result.kept.size() == text.size())
        return result;
    bool inDroppedLetter = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (scrivlet_is_kept_byte(byte) || (utf8 && byte >= 0x80)) {
            inDroppedLetter = false;
            continue;
        }
        // A UTF-8 continuation byte after a dropped lead byte belongs to the same character.
        const bool continuation = (byte & 0xC0) == 0x80;
        if (!(continuation && inDroppedLetter))
            ++result.droppedCharacters;
        inDroppedLetter = byte >= 0x80;
    }
    return result;
}

} // namespace scrivlet::core
