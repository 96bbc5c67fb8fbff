#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace scrivlet {

/// The test `ls --grep` puts each comment to: contains a fixed string, or (with -E) matches a POSIX
/// extended regular expression anywhere. regcomp/regexec rather than std::regex, whose recursive
/// matcher can overflow the stack on a comment of a megabyte.
class CommentMatch
{
public:
    /// A match of @p pattern; error() tells why a regular expression was refused.
    CommentMatch(std::string pattern, bool extendedRegex);
    ~CommentMatch();
    CommentMatch(const CommentMatch &) = delete;
    CommentMatch &operator=(const CommentMatch &) = delete;

    const std::string &error() const { return m_error; }
    /// Whether @p text (a comment: no zero bytes) matches.
    bool matches(const std::string &text) const;

private:
    struct Compiled;
    std::string m_pattern;
    std::unique_ptr<Compiled> m_regex;
    std::string m_error;
};

} // namespace scrivlet
