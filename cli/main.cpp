// scriv: shows, sets and removes Scrivlet comments from the command line.
#include "cli/command_line.h"
#include "cli/scriv_app.h"

#include <QCoreApplication>
#include <clocale>
#include <iostream>
#include <unistd.h>

int main(int argc, char **argv)
{
    // Paths and comments stay in the locale's 8-bit encoding, as the program passes them.
    std::setlocale(LC_ALL, "");
    std::ios::sync_with_stdio(false);

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const CommandLine::Result parsed = CommandLine::parse(arguments);
    if (!parsed.error.empty()) {
        std::cerr << "scriv: " << parsed.error << "\n" << CommandLine::usage();
        return ScrivApp::UsageError;
    }
    if (parsed.invocation.help) {
        std::cout << CommandLine::usage();
        return ScrivApp::Success;
    }
    if (parsed.invocation.version) {
        std::cout << "scriv " << SCRIV_VERSION << "\n";
        return ScrivApp::Success;
    }
    // The folder scans and the JSON output use Qt Core; its codecs follow the locale.
    QCoreApplication app(argc, argv);
    ScrivApp scriv(std::cin, std::cout, std::cerr, ::isatty(STDOUT_FILENO) != 0);
    return scriv.run(parsed.invocation);
}
