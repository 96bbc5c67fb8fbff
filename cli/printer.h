#pragma once

#include <QJsonArray>
#include <ostream>
#include <string>
#include <string_view>

/// Writes what scriv found: comments and listings on standard output, as text or as one JSON
/// array; failures and warnings on standard error (and in the JSON array as "error" entries).
/// On a terminal, and always on standard error, control characters of comments and names are
/// shown as '?' so that a file cannot drive the terminal.
class Printer
{
public:
    Printer(std::ostream &out, std::ostream &err, bool json, bool terminal);

    /// One file's comment for `show`. Alone: the text as stored (and a line feed after a
    /// non-empty text); with the path: every line after "PATH: ".
    void comment(const std::string &path, const std::string &text, bool withPath);
    /// One line of `ls`: the path and the first line of its comment.
    void listing(const std::string &path, const std::string &text);
    /// A file that could not be handled.
    void failure(const std::string &path, std::string_view reason);
    /// A message about the whole command.
    void warning(std::string_view message);
    /// Writes the JSON array (nothing in text mode).
    void finish();

    /// @p text with its control characters (other than line breaks and tabs) as '?' when asked.
    static std::string shown(std::string_view text, bool sanitize);

private:
    std::string shown(std::string_view text) const { return shown(text, m_terminal); }
    void addJson(const std::string &path, const char *key, std::string_view value);

    std::ostream &m_out;
    std::ostream &m_err;
    bool m_json;
    bool m_terminal;
    QJsonArray m_entries;
};
