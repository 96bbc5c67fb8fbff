#include "cli/comment_file.h"

#include "scrivlet.h"

#include <cerrno>
#include <sys/stat.h>
#include <utility>

// Big enough for the largest comment the library writes, plus its zero byte; shared by every read.
std::vector<char> CommentFile::s_readArea;

CommentFile::CommentFile(std::string path) : m_path(std::move(path))
{}

int CommentFile::checkRegularFile() const
{
    // The library would create a missing file on write; a typo must not leave an empty file behind.
    struct stat info
    {
    };
    if (::stat(m_path.c_str(), &info) != 0) {
        if (errno == EACCES)
            return SCRIVLET_E_ACCESS;
        if (errno == ENAMETOOLONG)
            return SCRIVLET_E_TOOLONG;
        return SCRIVLET_E_NOENT;
    }
    return S_ISREG(info.st_mode) ? SCRIVLET_OK : SCRIVLET_E_NOTREG;
}

int CommentFile::read(std::string &text)
{
    text.clear();
    if (const int status = checkRegularFile(); status != SCRIVLET_OK)
        return status;
    if (s_readArea.empty())
        s_readArea.resize(SCRIVLET_MAX_TEXT + 1);
    s_readArea[0] = '\0';
    const char *path = m_path.c_str();
    const int status = ReadComments(s_readArea.data(), static_cast<int32_t>(s_readArea.size()), &path);
    if (status == SCRIVLET_OK)
        text.assign(s_readArea.data());
    return status;
}

int CommentFile::replace(const std::string &blockText)
{
    // Refused before the old block goes, so that a failed save loses nothing.
    if (blockText.size() > SCRIVLET_MAX_TEXT)
        return SCRIVLET_E_TOOLONG;
    if (const int status = checkRegularFile(); status != SCRIVLET_OK)
        return status;
    const char *path = m_path.c_str();
    if (const int status = DelComments(&path); status != SCRIVLET_OK)
        return status;
    const char *text = blockText.c_str();
    return WriteComments(&text, static_cast<int32_t>(blockText.size()), &path);
}

int CommentFile::remove()
{
    if (const int status = checkRegularFile(); status != SCRIVLET_OK)
        return status;
    const char *path = m_path.c_str();
    return DelComments(&path);
}
