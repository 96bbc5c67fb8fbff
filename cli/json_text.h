#pragma once

#include <string>
#include <string_view>

namespace scrivlet {

/// Bytes as a JSON string that gives back every byte. Valid UTF-8 is written as it is (control
/// characters, quotes and backslashes escaped); each byte that is not part of valid UTF-8 becomes
/// the escape \udc80..\udcff (0xDC00 + the byte), the lone low surrogate that Python's
/// "surrogateescape" error handler uses, so that os.fsencode() of the decoded string gives the
/// original bytes. Valid UTF-8 never encodes a surrogate, so the mapping cannot be ambiguous.
class JsonText
{
public:
    /// The quoted JSON string for @p bytes.
    static std::string quoted(std::string_view bytes);
    /// Length of the valid UTF-8 sequence at the start of @p bytes, 0 when it is not one.
    static std::size_t utf8SequenceLength(std::string_view bytes);
};

} // namespace scrivlet
