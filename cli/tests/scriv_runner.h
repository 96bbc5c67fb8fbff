#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

/// Runs the built scriv program as a child process, the way users and scripts do.
class ScrivRunner
{
public:
    struct Result
    {
        int exitCode = -1; ///< -1 when it did not exit normally
        bool timedOut = false;
        std::string out;
        std::string err;
    };

    /// The scriv executable of this build.
    static std::string binary();

    /// Runs scriv with @p arguments and @p input on standard input; killed after @p timeout.
    /// With @p user the child drops root and runs as that user (and its group).
    static Result run(const std::vector<std::string> &arguments, const std::string &input = {},
                      std::optional<uid_t> user = std::nullopt,
                      std::chrono::milliseconds timeout = std::chrono::seconds(30));

    /// Starts scriv without waiting (stdin, stdout and stderr on /dev/null); returns its pid.
    static pid_t start(const std::vector<std::string> &arguments);
};
