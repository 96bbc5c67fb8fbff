// scriv: shows, sets and removes Scrivlet comments from the command line.
#include "cli/command_line.h"
#include "cli/output.h"
#include "cli/scriv_app.h"
#include "cli/stop_signals.h"
#include "scrivlet_version.h"

#include <unistd.h>

using namespace scrivlet;

int main(int argc, char **argv)
{
    // No locale is set: paths and comments are bytes and pass through unchanged.
    Output out(STDOUT_FILENO, "standard output");
    Output err(STDERR_FILENO, "standard error");
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const CommandLine::Result parsed = CommandLine::parse(arguments);
    if (!parsed.error.empty()) {
        err << "scriv: " << parsed.error << "\n" << CommandLine::usage();
        return ScrivApp::UsageError;
    }
    if (parsed.invocation.help || parsed.invocation.version) {
        if (parsed.invocation.help)
            out << CommandLine::usage();
        else
            out << "scriv " SCRIVLET_VERSION "\n";
        if (!out.close()) {
            err << "scriv: " << out.failure() << '\n';
            return ScrivApp::SomeFailed;
        }
        return ScrivApp::Success;
    }
    StopSignals::install();
    ScrivApp scriv(STDIN_FILENO, out, err, ::isatty(STDOUT_FILENO) != 0);
    return scriv.run(parsed.invocation);
}
