#include "cli/stop_signals.h"

#include <atomic>
#include <csignal>

namespace scrivlet {

namespace {

std::atomic<int> g_received{0};

extern "C" void noteSignal(int signal)
{
    int none = 0;
    g_received.compare_exchange_strong(none, signal);
}

} // namespace

void StopSignals::install()
{
    struct sigaction action
    {
    };
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

int StopSignals::received()
{
    return g_received.load(std::memory_order_relaxed);
}

int StopSignals::exitStatus(int signal)
{
    return 128 + signal;
}

const char *StopSignals::name(int signal)
{
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "a signal";
    }
}

} // namespace scrivlet
