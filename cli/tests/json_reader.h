#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace scrivlet {

/// Reads scriv's JSON output back the way a script would, independently of the writer: an array
/// of flat objects whose values are strings. Strings come back as bytes: escapes of UTF-16 pairs
/// become UTF-8, and a lone escape \udc80..\udcff becomes the byte it stands for (as Python's
/// surrogateescape does). Nothing when the text is not such an array.
class JsonReader
{
public:
    using Object = std::map<std::string, std::string>;
    static std::optional<std::vector<Object>> parseArray(const std::string &text);
};

} // namespace scrivlet
