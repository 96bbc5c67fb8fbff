#include "cli/output.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace scrivlet {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

Output::Output(int fd, std::string name) : m_fd(fd), m_name(std::move(name))
{
    m_buffer.reserve(kBufferSize);
}

Output::~Output()
{
    flush();
}

Output &Output::operator<<(std::string_view text)
{
    if (m_buffer.size() + text.size() > kBufferSize) {
        flush();
        if (text.size() >= kBufferSize) {
            writeAll(text);
            return *this;
        }
    }
    m_buffer.append(text);
    return *this;
}

Output &Output::operator<<(char c)
{
    return *this << std::string_view(&c, 1);
}

void Output::writeAll(std::string_view bytes)
{
    while (!bytes.empty() && m_error == 0) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno != EINTR)
                m_error = errno;
            continue;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

bool Output::flush()
{
    if (!m_buffer.empty()) {
        writeAll(m_buffer);
        m_buffer.clear();
    }
    return m_error == 0;
}

bool Output::close()
{
    flush();
    if (m_fd >= 0 && ::close(m_fd) != 0 && m_error == 0 && errno != EINTR)
        m_error = errno;
    m_fd = -1;
    return m_error == 0;
}

std::string Output::failure() const
{
    if (m_error == 0)
        return {};
    return m_name + ": " + std::strerror(m_error);
}

} // namespace scrivlet
