#pragma once

#include <string>
#include <string_view>

namespace scrivlet {

/// A buffered writer on a file descriptor that remembers the first failure, so that a full disk or
/// a closed pipe under standard output turns into a message and an exit status instead of a
/// silently short result.
class Output
{
public:
    /// @p name is how messages call the stream ("standard output").
    Output(int fd, std::string name);
    ~Output();
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;

    Output &operator<<(std::string_view text);
    Output &operator<<(char c);
    /// Writes out what is buffered; false once any write has failed.
    bool flush();
    /// Flushes and closes the descriptor (a close can report a failed write too); false on failure.
    bool close();

    bool failed() const { return m_error != 0; }
    /// "standard output: No space left on device", empty while nothing failed.
    std::string failure() const;

private:
    void writeAll(std::string_view bytes);

    int m_fd;
    std::string m_name;
    std::string m_buffer;
    int m_error = 0;
};

} // namespace scrivlet
