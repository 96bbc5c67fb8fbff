#include "cli/comment_source.h"

#include "core/comment_draft.h"
#include "scrivlet.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scrivlet {

const std::size_t CommentSource::maxInputBytes = std::size_t{256} << 20;

namespace {

bool kept(unsigned char byte, bool utf8)
{
    return scrivlet_is_kept_byte(byte) != 0 || (utf8 && byte >= 0x80);
}

} // namespace

CommentSource::Input CommentSource::fromFile(const std::string &path)
{
    Input input;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info
    {
    };
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        input.status = Status::Failed;
        input.reason = std::strerror(errno);
    } else if (!S_ISREG(info.st_mode)) {
        input.status = Status::Failed;
        input.reason = "not a regular file";
    } else if (static_cast<std::size_t>(info.st_size) > maxInputBytes) {
        input.status = Status::TooLong;
    } else {
        input.bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t have = 0;
        while (have < input.bytes.size()) {
            const ssize_t got = ::read(fd, input.bytes.data() + have, input.bytes.size() - have);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                input.status = Status::Failed;
                input.reason = std::strerror(errno);
                break;
            }
            if (got == 0)
                break; // the file shrank meanwhile
            have += static_cast<std::size_t>(got);
        }
        input.bytes.resize(have);
    }
    if (fd >= 0)
        ::close(fd);
    return input;
}

CommentSource::Input CommentSource::fromStream(int fd, bool utf8, const std::function<bool()> &stopped)
{
    Input input;
    // What is kept may end in one line break that is left out later.
    const std::size_t keptLimit = scrivlet::core::CommentDraft::maxBytes + 2;
    std::size_t keptCount = 0;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            if (stopped()) {
                input.status = Status::Interrupted;
                return input;
            }
            continue;
        }
        if (got < 0) {
            input.status = Status::Failed;
            input.reason = std::strerror(errno);
            return input;
        }
        if (got == 0)
            return input;
        const std::string_view piece(chunk, static_cast<std::size_t>(got));
        for (const char c : piece)
            keptCount += kept(static_cast<unsigned char>(c), utf8) ? 1U : 0U;
        input.bytes.append(piece);
        if (keptCount > keptLimit || input.bytes.size() > maxInputBytes) {
            input.status = Status::TooLong;
            return input;
        }
    }
}

} // namespace scrivlet
