#pragma once

namespace scrivlet {

/// SIGINT, SIGTERM and SIGHUP, deferred: the handler only notes the signal, and scriv finishes
/// the file in hand before it stops, so that no change is cut short by Ctrl-C. A blocking read of
/// standard input is interrupted (no automatic restart), so waiting for input can be stopped too.
class StopSignals
{
public:
    /// Installs the handlers.
    static void install();
    /// The first signal received, 0 while none came.
    static int received();
    /// The exit status for a stop by @p signal: 128 + its number (130, 143, 129).
    static int exitStatus(int signal);
    /// "SIGINT", "SIGTERM" or "SIGHUP".
    static const char *name(int signal);
};

} // namespace scrivlet
