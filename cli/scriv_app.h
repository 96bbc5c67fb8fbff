#pragma once

#include "cli/command_line.h"

#include <cstdint>
#include <functional>
#include <string>

namespace scrivlet {

class LibraryBinding;
class Output;
class Printer;
class TargetList;

/// Runs one scriv command over its files and gives the exit status: 0 when every file was
/// handled, 1 when some failed (each reported on standard error) or the output could not be
/// written, 2 for a usage error or a comment that cannot be stored, 128 + the signal's number when
/// SIGINT, SIGTERM or SIGHUP stopped it (after the file in hand).
class ScrivApp
{
public:
    enum ExitStatus { Success = 0, SomeFailed = 1, UsageError = 2 };

    /// @p inputFd is standard input; @p terminal tells whether @p out is a terminal.
    ScrivApp(int inputFd, Output &out, Output &err, bool terminal);

    int run(const Invocation &invocation);

private:
    int show(const Invocation &invocation);
    int set(const Invocation &invocation);
    int remove(const Invocation &invocation);
    int list(const Invocation &invocation);
    int recover(const Invocation &invocation);
    // Puts right what a killed Scrivlet program left half-done; says so on standard error.
    void recoverQuietly();
    bool readComment(const Invocation &invocation, std::string &input, int &exitStatus);
    // Reads the comment of every target in order; failures go to standard error, the rest to
    // handle. Stops early on a signal or when standard output fails.
    int readEach(const TargetList &targets, Printer &printer,
                 const std::function<void(const std::string &path, const std::string &text)> &handle);
    // Changes every target with one library call each; stops early on a signal.
    int changeEach(const Invocation &invocation, Printer &printer,
                   const std::function<int(const std::string &path)> &change);
    // The exit status once the output is closed: a failed write of standard output is a failure.
    int finish(Printer &printer, int exitStatus);
    // Says how far a command got when a signal stopped it and gives its exit status.
    int stopped(std::size_t done, std::size_t total, const char *verb);

    const LibraryBinding *m_library = nullptr;
    int m_inputFd;
    Output &m_out;
    Output &m_err;
    bool m_terminal;
};

} // namespace scrivlet
