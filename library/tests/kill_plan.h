#pragma once

#include "library/src/file_access.h"

#include <cerrno>
#include <cstddef>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <csignal>
#endif

// For a process that stands for one killed in the middle of a change: change `failAt` fails with
// EIO after half its bytes; change `killAt` never begins, the process is killed instead. With
// `armAt`, counting starts at the first write of at least that many bytes (the change's own journal
// record), so that settling other processes' journals first does not shift the plan.
struct KillPlan
{
    int killAt = 0;
    int failAt = 0;
    int count = 0;
    std::size_t armAt = 0;
};

// What a process ended by killThisProcess() exits with on Windows.
inline constexpr unsigned kKilledExitCode = 137;

// Ends this process at once, running none of its code: SIGKILL, or TerminateProcess on Windows.
[[noreturn]] inline void killThisProcess()
{
#ifdef _WIN32
    ::TerminateProcess(::GetCurrentProcess(), kKilledExitCode);
#else
    ::raise(SIGKILL);
#endif
    while (true) {
    }
}

// The change hook (scrivlet::setChangeHook) that carries out a KillPlan passed as its context.
inline int killAtChange(scrivlet::FileChange change, std::size_t &bytes, void *context)
{
    KillPlan &plan = *static_cast<KillPlan *>(context);
    if (plan.count == 0 && plan.armAt > 0 && (change != scrivlet::FileChange::Write || bytes < plan.armAt))
        return 0;
    ++plan.count;
    if (plan.count == plan.killAt)
        killThisProcess();
    if (plan.count != plan.failAt)
        return 0;
    bytes /= 2;
    return EIO;
}
