#include "cli/comment_input.h"

#include "scrivlet.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

namespace {
constexpr std::string_view kStartMarker = "#.START.#";
constexpr std::string_view kEndMarker = "#.END.# ";
} // namespace

const std::size_t CommentInput::MaxCommentBytes = SCRIVLET_MAX_TEXT - kStartMarker.size() - kEndMarker.size();

bool CommentInput::readStream(std::istream &in, std::string &comment)
{
    comment.clear();
    const std::size_t limit = MaxCommentBytes + 2; // + the final line feed left out, + 1 to tell "too long"
    char chunk[65536];
    while (comment.size() < limit && in) {
        const std::size_t want = std::min(sizeof chunk, limit - comment.size());
        in.read(chunk, static_cast<std::streamsize>(want));
        comment.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad())
        return false;
    if (!comment.empty() && comment.back() == '\n')
        comment.pop_back();
    return true;
}

bool CommentInput::readFile(const std::string &path, std::string &comment, std::string &reason)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = "not a regular file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = std::strerror(errno);
        return false;
    }
    if (!readStream(in, comment)) {
        reason = "read error";
        return false;
    }
    return true;
}

CommentInput::Filtered CommentInput::filter(std::string_view comment)
{
    Filtered result;
    result.kept.reserve(comment.size());
    bool inDroppedLetter = false;
    for (const char c : comment) {
        const auto byte = static_cast<unsigned char>(c);
        if (scrivlet_is_kept_byte(byte)) {
            result.kept.push_back(c);
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

std::string CommentInput::blockText(std::string_view keptComment)
{
    std::string block;
    block.reserve(kStartMarker.size() + keptComment.size() + kEndMarker.size());
    block.append(kStartMarker).append(keptComment).append(kEndMarker);
    return block;
}
