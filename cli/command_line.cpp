#include "cli/command_line.h"

#include <array>
#include <string_view>

namespace {

using Command = Invocation::Command;
using TextSource = Invocation::TextSource;

struct CommandName
{
    std::string_view name;
    Command command;
};

constexpr std::array kCommands{CommandName{"show", Command::Show}, CommandName{"set", Command::Set},
                               CommandName{"rm", Command::Remove}, CommandName{"ls", Command::List}};

Command commandNamed(std::string_view name)
{
    for (const auto &entry : kCommands)
        if (entry.name == name)
            return entry.command;
    return Command::None;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// Checks that the options fit the command; the message names the first that does not.
std::string checkCombination(const Invocation &inv)
{
    const bool isSet = inv.command == Command::Set;
    if (!isSet && inv.source != TextSource::None)
        return "-m, -F and - belong to 'set'";
    if (isSet && inv.source == TextSource::None)
        return "'set' needs the comment: -m TEXT, -F FILE or -";
    if (inv.json && inv.command != Command::Show && inv.command != Command::List)
        return "--json belongs to 'show' and 'ls'";
    if (inv.keepTime && inv.command != Command::Set && inv.command != Command::Remove)
        return "--keep-time belongs to 'set' and 'rm'";
    if (inv.paths.empty() && inv.command != Command::List)
        return "no file given";
    return {};
}

} // namespace

CommandLine::Result CommandLine::parse(const std::vector<std::string> &arguments)
{
    Result result;
    Invocation &inv = result.invocation;
    auto fail = [&result](std::string message) {
        result.error = std::move(message);
        return result;
    };

    std::size_t i = 0;
    // Before the command only --help and --version make sense.
    for (; i < arguments.size() && inv.command == Command::None; ++i) {
        const std::string &arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            inv.help = true;
            return result;
        }
        if (arg == "--version") {
            inv.version = true;
            return result;
        }
        inv.command = commandNamed(arg);
        if (inv.command == Command::None)
            return fail(startsWith(arg, "-") ? "unknown option '" + arg + "'"
                                             : "unknown command '" + arg + "'");
    }
    if (inv.command == Command::None)
        return fail("no command given");

    auto setSource = [&inv](TextSource source, std::string text) {
        if (inv.source != TextSource::None)
            return false;
        inv.source = source;
        inv.text = std::move(text);
        return true;
    };

    bool optionsEnded = false;
    for (; i < arguments.size(); ++i) {
        const std::string &arg = arguments[i];
        if (optionsEnded || arg.empty() || (arg[0] != '-')) {
            inv.paths.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-") {
            if (!setSource(TextSource::StandardInput, {}))
                return fail("give the comment only once");
        } else if (arg == "-r" || arg == "--recursive") {
            inv.recursive = true;
        } else if (arg == "--json") {
            inv.json = true;
        } else if (arg == "--keep-time") {
            inv.keepTime = true;
        } else if (arg == "--help" || arg == "-h") {
            inv.help = true;
            return result;
        } else if (arg == "-m" || arg == "-F" || arg == "--message" || arg == "--file") {
            if (i + 1 >= arguments.size())
                return fail("option '" + arg + "' needs a value");
            const bool message = arg == "-m" || arg == "--message";
            if (!setSource(message ? TextSource::Argument : TextSource::File, arguments[++i]))
                return fail("give the comment only once");
        } else if (startsWith(arg, "--message=") || startsWith(arg, "--file=")) {
            const auto equals = arg.find('=');
            const bool message = startsWith(arg, "--message=");
            if (!setSource(message ? TextSource::Argument : TextSource::File, arg.substr(equals + 1)))
                return fail("give the comment only once");
        } else if (startsWith(arg, "-m") || startsWith(arg, "-F")) {
            // The value glued to the option, as getopt allows: -mTEXT.
            if (!setSource(arg[1] == 'm' ? TextSource::Argument : TextSource::File, arg.substr(2)))
                return fail("give the comment only once");
        } else {
            return fail("unknown option '" + arg + "'");
        }
    }
    if (std::string problem = checkCombination(inv); !problem.empty())
        return fail(std::move(problem));
    return result;
}

const char *CommandLine::usage()
{
    return "Usage: scriv show [-r] [--json] PATH...\n"
           "       scriv set (-m TEXT | -F TEXTFILE | -) [-r] [--keep-time] PATH...\n"
           "       scriv rm [-r] [--keep-time] PATH...\n"
           "       scriv ls [-r] [--json] [DIR...]\n"
           "\n"
           "Reads, writes and removes the comment that Scrivlet keeps at the end of a file.\n"
           "\n"
           "Commands:\n"
           "  show        print each file's comment (after 'PATH: ' when several are given)\n"
           "  set         replace each file's comment\n"
           "  rm          remove each file's comment\n"
           "  ls          list the files of each folder (default: .) whose comment is not empty,\n"
           "              with the comment's first line\n"
           "\n"
           "Options:\n"
           "  -m, --message TEXT  the comment is TEXT\n"
           "  -F, --file FILE     the comment is the content of FILE\n"
           "  -                   the comment is read from standard input\n"
           "                      (from FILE and standard input one final line feed is left out)\n"
           "  -r, --recursive     go into folders and their sub-folders; hidden files and folders,\n"
           "                      symbolic links to folders and files ending in .db are left out\n"
           "      --json          machine-readable output\n"
           "      --keep-time     keep each file's access and modification times\n"
           "  -h, --help          show this help\n"
           "      --version       show the version\n"
           "\n"
           "Comments keep printable ASCII characters and line breaks; others are dropped with a\n"
           "warning. Exit status: 0 all files handled, 1 some failed, 2 usage error.\n";
}
