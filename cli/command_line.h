#pragma once

#include <optional>
#include <string>
#include <vector>

namespace scrivlet {

/// What one invocation of scriv asks for, as read from its arguments.
struct Invocation
{
    enum class Command { None, Show, Set, Remove, List, Recover };
    /// Where `set` takes the comment from.
    enum class TextSource { None, Argument, File, StandardInput };

    Command command = Command::None;
    TextSource source = TextSource::None;
    std::string text; ///< the comment for -m, the file name for -F
    bool recursive = false;
    bool json = false;
    bool nullSeparated = false; ///< -0: paths end in NUL bytes, for xargs -0
    bool keepTime = false;
    bool sync = false;
    bool utf8 = false;
    std::optional<std::string> grep; ///< ls: only comments that contain this
    bool extendedRegex = false;      ///< -E: grep is a POSIX extended regular expression
    bool discard = false;            ///< recover --discard: drop the records naming the paths
    bool help = false;
    bool version = false;
    std::vector<std::string> paths;
};

/// Reads scriv's arguments: a command, its options (anywhere after the command, "--" ends them)
/// and its paths. A usage error gives a message for standard error and no invocation.
class CommandLine
{
public:
    struct Result
    {
        Invocation invocation;
        std::string error; ///< empty when the arguments are valid
    };

    static Result parse(const std::vector<std::string> &arguments);
    static const char *usage();
};

} // namespace scrivlet
