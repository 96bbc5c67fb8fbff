#include "cli/command_line.h"

#include "scrivlet.h"

#include <array>
#include <string_view>

// The library's size limit as a string literal, for the help text.
#define SCRIV_TEXT_OF(number) SCRIV_TEXT_OF_EXPANDED(number)
#define SCRIV_TEXT_OF_EXPANDED(number) #number
#define SCRIV_MAX_COMMENT_TEXT SCRIV_TEXT_OF(SCRIVLET_MAX_COMMENT)

namespace scrivlet {

namespace {

using Command = Invocation::Command;
using TextSource = Invocation::TextSource;

struct CommandName
{
    std::string_view name;
    Command command;
};

constexpr std::array kCommands{CommandName{"show", Command::Show}, CommandName{"set", Command::Set},
                               CommandName{"rm", Command::Remove}, CommandName{"ls", Command::List},
                               CommandName{"recover", Command::Recover}};

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
    const Command c = inv.command;
    const bool reads = c == Command::Show || c == Command::List;
    const bool changes = c == Command::Set || c == Command::Remove;
    if (c != Command::Set && inv.source != TextSource::None)
        return "-m, -F and - belong to 'set'";
    if (c == Command::Set && inv.source == TextSource::None)
        return "'set' needs the comment: -m TEXT, -F FILE or -";
    if (inv.json && !reads)
        return "--json belongs to 'show' and 'ls'";
    if (inv.nullSeparated && !reads)
        return "-0 belongs to 'show' and 'ls'";
    if (inv.json && inv.nullSeparated)
        return "give --json or -0, not both";
    if (inv.keepTime && !changes)
        return "--keep-time belongs to 'set' and 'rm'";
    if (inv.sync && !changes)
        return "--sync belongs to 'set' and 'rm'";
    if (inv.utf8 && c != Command::Set)
        return "--utf8 belongs to 'set'";
    if (inv.grep && c != Command::List)
        return "--grep belongs to 'ls'";
    if (inv.extendedRegex && !inv.grep)
        return "-E needs --grep PATTERN";
    if (inv.recursive && c == Command::Recover)
        return "'recover' takes no options but --discard";
    if (inv.discard && c != Command::Recover)
        return "--discard belongs to 'recover'";
    if (inv.discard && inv.paths.empty())
        return "--discard needs the paths whose records to drop";
    if (inv.paths.empty() && c != Command::List && c != Command::Recover)
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
    auto setGrep = [&inv](std::string pattern) {
        if (inv.grep)
            return false;
        inv.grep = std::move(pattern);
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
        } else if (arg == "-0" || arg == "--null") {
            inv.nullSeparated = true;
        } else if (arg == "--keep-time") {
            inv.keepTime = true;
        } else if (arg == "--sync") {
            inv.sync = true;
        } else if (arg == "--utf8") {
            inv.utf8 = true;
        } else if (arg == "--discard") {
            inv.discard = true;
        } else if (arg == "-E" || arg == "--extended-regexp") {
            inv.extendedRegex = true;
        } else if (arg == "--help" || arg == "-h") {
            inv.help = true;
            return result;
        } else if (arg == "--grep") {
            if (i + 1 >= arguments.size())
                return fail("option '" + arg + "' needs a value");
            if (!setGrep(arguments[++i]))
                return fail("give --grep only once");
        } else if (startsWith(arg, "--grep=")) {
            if (!setGrep(arg.substr(7)))
                return fail("give --grep only once");
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
    return "Usage: scriv show [-r] [--json | -0] PATH...\n"
           "       scriv set (-m TEXT | -F TEXTFILE | -) [-r] [--utf8] [--keep-time] [--sync] PATH...\n"
           "       scriv rm [-r] [--keep-time] [--sync] PATH...\n"
           "       scriv ls [-r] [--json | -0] [--grep PATTERN [-E]] [DIR...]\n"
           "       scriv recover [FILE...]\n"
           "       scriv recover --discard PATH...\n"
           "\n"
           "Reads, writes and removes the comment that Scrivlet keeps at the end of a file.\n"
           "\n"
           "Commands:\n"
           "  show        print each file's comment (after 'PATH: ' when several are given)\n"
           "  set         replace each file's comment\n"
           "  rm          remove each file's comment\n"
           "  ls          list the files of each folder (default: .) whose comment is not empty,\n"
           "              with the comment's first line\n"
           "  recover     put right what a killed Scrivlet program left half-done (every scriv\n"
           "              command does this first); says what it found. With FILEs: settle the\n"
           "              records kept for these files, found by their inode wherever the\n"
           "              records say they were (a renamed folder, another mount)\n"
           "\n"
           "Options:\n"
           "  -m, --message TEXT  the comment is TEXT\n"
           "  -F, --file FILE     the comment is the content of FILE, without a comment block\n"
           "                      FILE carries itself\n"
           "  -                   the comment is read from standard input\n"
           "                      (from FILE and standard input one final line break is left out)\n"
           "      --utf8          keep letters outside ASCII (stored as the bytes given, UTF-8)\n"
           "  -r, --recursive     go into folders and their sub-folders; hidden files and folders,\n"
           "                      symbolic links to folders and files ending in .db are left out\n"
           "      --grep PATTERN  list only files whose comment contains PATTERN (a fixed string)\n"
           "  -E, --extended-regexp  PATTERN is a POSIX extended regular expression\n"
           "      --json          machine-readable output: one array of {\"path\", \"comment\"} or\n"
           "                      {\"path\", \"error\"}; a byte that is not part of valid UTF-8 is\n"
           "                      written as \\udc80..\\udcff (0xDC00 + the byte), as Python's\n"
           "                      surrogateescape does: os.fsencode(entry[\"path\"]) gives the bytes\n"
           "  -0, --null          end each path with a NUL byte, for xargs -0 (show: each comment\n"
           "                      follows its path and ends with a NUL byte too)\n"
           "      --keep-time     keep each file's access and modification times\n"
           "      --sync          wait until each change is on the disk (survives a power cut)\n"
           "      --discard       recover: drop the records kept for these paths (files that are\n"
           "                      gone for good) without touching any file\n"
           "  -h, --help          show this help\n"
           "      --version       show the version\n"
           "\n"
           "Comments keep printable ASCII characters and line breaks (with --utf8 also bytes\n"
           "0x80-0xFF); others are dropped with a warning. A comment holding\n"
           "\"" SCRIVLET_START_MARKER "\" or \"" SCRIVLET_END_MARKER
           "\", or longer than " SCRIV_MAX_COMMENT_TEXT " bytes, is refused\n"
           "before any file is touched.\n"
           "SIGINT, SIGTERM and SIGHUP let the file in hand finish first.\n"
           "Exit status: 0 all files handled, 1 some failed (or a folder could not be read, or\n"
           "the output could not be written), 2 usage error or refused comment, 128 + the signal\n"
           "number when stopped by a signal. 'recover' gives 1 while a record is kept (its file\n"
           "not found), a damaged journal is listed or the journal folder is not yours alone.\n";
}

} // namespace scrivlet
