#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace scrivlet {

/// Runs the built scriv program as a child process, the way users and scripts do. Every child
/// gets its own undo-journal folder (XDG_STATE_HOME under a temporary folder), so tests never
/// touch the journal of the user who runs them.
class ScrivRunner
{
public:
    struct Result
    {
        int exitCode = -1; ///< -1 when it did not exit normally
        int signal = 0;    ///< the signal that ended it, 0 when it exited
        bool timedOut = false;
        std::string out;
        std::string err;
    };

    struct Options
    {
        std::string input;                 ///< standard input
        std::optional<uid_t> user;         ///< run as this user (drops root)
        std::optional<std::string> output; ///< standard output goes to this path (/dev/full ...)
        std::chrono::milliseconds timeout = std::chrono::seconds(30);
    };

    /// The scriv executable of this build.
    static std::string binary();
    /// The XDG_STATE_HOME that children run as this test's own user get.
    static std::string stateHome();

    /// Runs scriv with @p arguments; killed after the timeout. With a user, a copy of scriv and
    /// its library in a folder every user can enter is run, so the test does not depend on where
    /// the build lies; exit code 126 tells that the user could not be switched to (or the copy
    /// could not be made), with the reason on err.
    static Result run(const std::vector<std::string> &arguments, const Options &options);
    static Result run(const std::vector<std::string> &arguments, const std::string &input = {});

    /// A scriv started without waiting: its pid, a pipe to its standard input (still open) and a
    /// file that receives its standard error.
    struct Started
    {
        pid_t pid = -1;
        int input = -1;
        int err = -1;
    };
    /// Starts scriv with standard output on /dev/null.
    static Started start(const std::vector<std::string> &arguments);
    /// Waits for a started scriv and collects its exit; closes its descriptors.
    static Result wait(Started &started);
};

} // namespace scrivlet
