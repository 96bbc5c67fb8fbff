#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// The replace driver (replace_driver.cpp) run as a child process whose output is kept.
class DriverProcess
{
public:
    /// Starts the driver with these arguments (after the program's name).
    explicit DriverProcess(const std::vector<std::string> &arguments);
    /// Kills a driver still running and waits for it.
    ~DriverProcess();
    DriverProcess(const DriverProcess &) = delete;
    DriverProcess &operator=(const DriverProcess &) = delete;

    void signal(int number) const;
    /// Waits for the driver to end; the wait status.
    int wait();
    /// Everything the driver wrote to stdout (once it has ended).
    std::string output();

private:
    pid_t m_pid = -1;
    int m_output = -1;
    int m_status = 0;
};

/// What a driver's output says of one file: the last round whose call returned, and the round of
/// a call that began but did not return (-1: none).
struct DriverProgress
{
    int lastDone = -1;
    int interrupted = -1;
};

/// The progress of each of @p files files from a driver's output.
std::vector<DriverProgress> progressOf(const std::string &output, int files);
