#pragma once

#include "cli/command_line.h"

#include <functional>
#include <istream>
#include <ostream>
#include <string>

class Printer;
class TargetList;

/// Runs one scriv command over its files and gives the exit status: 0 when every file was
/// handled, 1 when some failed (each reported on standard error), 2 for a usage error.
class ScrivApp
{
public:
    enum ExitStatus { Success = 0, SomeFailed = 1, UsageError = 2 };

    ScrivApp(std::istream &in, std::ostream &out, std::ostream &err, bool terminal);

    int run(const Invocation &invocation);

private:
    int show(const Invocation &invocation);
    int set(const Invocation &invocation);
    int remove(const Invocation &invocation);
    int list(const Invocation &invocation);
    bool readComment(const Invocation &invocation, std::string &comment);
    // Reads the comment of every target; failures go to standard error, the rest to handle.
    int readEach(const TargetList &targets, Printer &printer,
                 const std::function<void(const std::string &path, const std::string &text)> &handle);

    std::istream &m_in;
    std::ostream &m_out;
    std::ostream &m_err;
    bool m_terminal;
};
