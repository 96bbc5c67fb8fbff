// The library's C boundary: pointers in, statuses out. Nothing C++ crosses it, exceptions included.
#include "scrivlet.h"

#include "library/src/comment_file.h"
#include "library/src/message_box.h"

#include <cstring>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace {

// A path passed by reference: a pointer to a pointer to the string.
const char *pathFrom(const char *const *path)
{
    return path != nullptr ? *path : nullptr;
}

} // namespace

extern "C" {

SCRIVLET_API int SCRIVLET_CALL WriteComments(const char *const *text, int32_t length, const char *const *path)
{
    try {
        const char *file = pathFrom(path);
        if (file == nullptr)
            return SCRIVLET_E_INVALID;
        if (length > SCRIVLET_MAX_TEXT)
            return SCRIVLET_E_TOOLONG;
        if (length <= 0)
            return scrivlet::comment_file::write(file, {});
        const char *bytes = text != nullptr ? *text : nullptr;
        if (bytes == nullptr)
            return SCRIVLET_E_INVALID;
        return scrivlet::comment_file::write(file, std::span(bytes, static_cast<std::size_t>(length)));
    } catch (...) {
        return SCRIVLET_E_IO;
    }
}

SCRIVLET_API int SCRIVLET_CALL ReplaceComments(const char *const *path, const char *const *text,
                                               int32_t length, uint32_t flags)
{
    try {
        const char *file = pathFrom(path);
        if (file == nullptr)
            return SCRIVLET_E_INVALID;
        if ((flags & SCRIVLET_REPLACE_REMOVE) != 0 || length <= 0)
            return scrivlet::comment_file::replace(file, {}, flags);
        if (length > SCRIVLET_MAX_COMMENT)
            return SCRIVLET_E_TOOLONG;
        const char *bytes = text != nullptr ? *text : nullptr;
        if (bytes == nullptr)
            return SCRIVLET_E_INVALID;
        return scrivlet::comment_file::replace(file, std::span(bytes, static_cast<std::size_t>(length)),
                                               flags);
    } catch (...) {
        return SCRIVLET_E_IO;
    }
}

SCRIVLET_API int SCRIVLET_CALL RecoverComments(ScrivletRecoveryReport report, void *context)
{
    try {
        // Told only after the work, so that the report may call the library itself.
        std::vector<std::pair<std::string, int>> outcomes;
        const int status = scrivlet::comment_file::recover(
            [&outcomes](const std::string &path, int outcome) { outcomes.emplace_back(path, outcome); });
        if (report != nullptr) {
            for (const auto &[path, outcome] : outcomes)
                report(context, path.c_str(), outcome);
        }
        return status;
    } catch (...) {
        return SCRIVLET_E_IO;
    }
}

SCRIVLET_API int SCRIVLET_CALL SettleComments(const char *const *path, uint32_t flags,
                                              ScrivletRecoveryReport report, void *context)
{
    try {
        const char *file = pathFrom(path);
        if (file == nullptr)
            return SCRIVLET_E_INVALID;
        // Told only after the work, as RecoverComments does.
        std::vector<std::pair<std::string, int>> outcomes;
        const int status = scrivlet::comment_file::settle(
            file, (flags & SCRIVLET_SETTLE_DISCARD) != 0,
            [&outcomes](const std::string &at, int outcome) { outcomes.emplace_back(at, outcome); });
        if (report != nullptr) {
            for (const auto &[at, outcome] : outcomes)
                report(context, at.c_str(), outcome);
        }
        return status;
    } catch (...) {
        return SCRIVLET_E_IO;
    }
}

SCRIVLET_API int SCRIVLET_CALL ReadComments(char *result, int32_t capacity, const char *const *path)
{
    try {
        if (capacity > 0 && result == nullptr)
            return SCRIVLET_E_INVALID;
        if (capacity > 0)
            result[0] = '\0';
        const char *file = pathFrom(path);
        if (file == nullptr)
            return SCRIVLET_E_INVALID;
        const std::size_t limit = capacity > 0 ? static_cast<std::size_t>(capacity) - 1 : 0;
        std::string text;
        const int status = scrivlet::comment_file::read(file, limit, text);
        if (capacity > 0) {
            std::memcpy(result, text.data(), text.size());
            result[text.size()] = '\0';
        }
        return status;
    } catch (...) {
        return SCRIVLET_E_IO;
    }
}

SCRIVLET_API int SCRIVLET_CALL DelComments(const char *const *path)
{
    try {
        const char *file = pathFrom(path);
        return file != nullptr ? scrivlet::comment_file::remove(file) : SCRIVLET_E_INVALID;
    } catch (...) {
        return SCRIVLET_E_IO;
    }
}

SCRIVLET_API int SCRIVLET_CALL eraser(const char *const *path)
{
    try {
        const char *file = pathFrom(path);
        return file != nullptr ? scrivlet::comment_file::erase(file) : SCRIVLET_E_INVALID;
    } catch (...) {
        return SCRIVLET_E_IO;
    }
}

SCRIVLET_API int32_t SCRIVLET_CALL InStrRev(const char *text, int16_t character)
{
    if (text == nullptr)
        return 0;
    // Only the low 8 bits count; 0 finds the terminator, giving the length plus one.
    const auto byte = static_cast<unsigned char>(static_cast<std::uint16_t>(character) & 0xFFu);
    const char *found = std::strrchr(text, byte);
    return found != nullptr ? static_cast<int32_t>(found - text) + 1 : 0;
}

SCRIVLET_API int32_t SCRIVLET_CALL DisplayStringByVal(const char *text)
{
    try {
        return scrivlet::message_box::show(text != nullptr ? text : "", "Display String ByVal");
    } catch (...) {
        return 0;
    }
}

} // extern "C"
