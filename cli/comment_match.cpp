#include "cli/comment_match.h"

#include <clocale>
#include <regex.h>

namespace scrivlet {

struct CommentMatch::Compiled
{
    regex_t regex{};
};

CommentMatch::CommentMatch(std::string pattern, bool extendedRegex) : m_pattern(std::move(pattern))
{
    if (!extendedRegex)
        return;
    // The locale's character set decides what "." and brackets match (UTF-8 letters as one).
    std::setlocale(LC_CTYPE, "");
    auto compiled = std::make_unique<Compiled>();
    const int status = ::regcomp(&compiled->regex, m_pattern.c_str(), REG_EXTENDED | REG_NOSUB);
    if (status != 0) {
        char message[256];
        ::regerror(status, &compiled->regex, message, sizeof message);
        m_error = message;
        return;
    }
    m_regex = std::move(compiled);
}

CommentMatch::~CommentMatch()
{
    if (m_regex)
        ::regfree(&m_regex->regex);
}

bool CommentMatch::matches(const std::string &text) const
{
    if (!m_regex)
        return text.find(m_pattern) != std::string::npos;
    return ::regexec(&m_regex->regex, text.c_str(), 0, nullptr, 0) == 0;
}

} // namespace scrivlet
