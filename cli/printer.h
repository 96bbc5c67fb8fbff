#pragma once

#include <string>
#include <string_view>

namespace scrivlet {

class Output;

/// Writes what scriv found: comments and listings on standard output, as text, as one JSON array
/// or NUL-separated; failures and warnings on standard error (and in the JSON array as "error"
/// entries). Control bytes of names and comments are escaped C-style (\n, \t, \xHH, the backslash
/// doubled) in listings and diagnostics always, and in `show` on a terminal, so that a file can
/// neither forge lines nor drive the terminal; JSON and NUL-separated output stay exact.
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

    /// @p text with its control bytes (C0, DEL, C1 in UTF-8) and backslashes escaped C-style when asked.
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
