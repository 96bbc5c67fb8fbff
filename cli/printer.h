#pragma once

#include <string>
#include <string_view>

namespace scrivlet {

class Output;

/// Writes what scriv found: comments and listings on standard output, as text, as one JSON array
/// or NUL-separated; failures and warnings on standard error (and in the JSON array as "error"
/// entries). On a terminal, and always on standard error, control characters of comments and
/// names are shown as '?' so that a file cannot drive the terminal.
class Printer
{
public:
    enum class Format { Text, Json, NullSeparated };

    Printer(Output &out, Output &err, Format format, bool terminal);

    /// One file's comment for `show`. Alone: the text as stored (and a line feed after a
    /// non-empty text); with the path: every line after "PATH: ".
    void comment(const std::string &path, std::string_view text, bool withPath);
    /// One line of `ls`: the path and the first line of its comment.
    void listing(const std::string &path, std::string_view text);
    /// A file or folder that could not be handled.
    void failure(const std::string &path, std::string_view reason);
    /// A message about the whole command.
    void warning(std::string_view message);
    /// Closes the JSON array (nothing in the other formats) and flushes.
    void finish();

    /// @p text with its control characters (other than line breaks and tabs) as '?' when asked.
    static std::string shown(std::string_view text, bool sanitize);

private:
    std::string shown(std::string_view text) const { return shown(text, m_terminal); }
    void addJson(const std::string &path, std::string_view key, std::string_view value);

    Output &m_out;
    Output &m_err;
    Format m_format;
    bool m_terminal;
    bool m_jsonStarted = false;
};

} // namespace scrivlet
