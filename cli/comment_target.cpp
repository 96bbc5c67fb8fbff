#include "cli/comment_target.h"

#include "cli/library_binding.h"

#include <cstring>

namespace scrivlet {

std::size_t CommentTarget::readAreaSize()
{
    return SCRIVLET_MAX_TEXT + 1;
}

int CommentTarget::read(std::string &text, std::string &area) const
{
    if (area.size() < readAreaSize())
        area.resize(readAreaSize());
    area[0] = '\0';
    const char *path = m_path.c_str();
    const int status = m_library.read(area.data(), static_cast<int32_t>(area.size()), &path);
    text.assign(area.data(), status == SCRIVLET_OK ? std::strlen(area.data()) : 0);
    return status;
}

int CommentTarget::replace(const std::string &text, std::uint32_t flags) const
{
    const char *path = m_path.c_str();
    const char *bytes = text.c_str();
    return m_library.replace(&path, &bytes, static_cast<int32_t>(text.size()), flags);
}

int CommentTarget::remove(std::uint32_t flags) const
{
    const char *path = m_path.c_str();
    const char *none = "";
    return m_library.replace(&path, &none, 0, flags | SCRIVLET_REPLACE_REMOVE);
}

} // namespace scrivlet
