#include "driver_process.h"

#include <csignal>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

DriverProcess::DriverProcess(const std::vector<std::string> &arguments)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<char *> argv;
    std::string program = REPLACE_DRIVER;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string &argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(pipe[1], 1);
        ::close(pipe[0]);
        ::close(pipe[1]);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipe[1]);
    m_output = pipe[0];
    if (m_pid < 0)
        throw std::runtime_error("fork failed");
}

DriverProcess::~DriverProcess()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        wait();
    }
    if (m_output >= 0)
        ::close(m_output);
}

void DriverProcess::signal(int number) const
{
    if (m_pid > 0)
        ::kill(m_pid, number);
}

int DriverProcess::wait()
{
    if (m_pid > 0) {
        while (::waitpid(m_pid, &m_status, 0) < 0) {
        }
        m_pid = -1;
    }
    return m_status;
}

std::string DriverProcess::output()
{
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(m_output, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(got));
    return text;
}

std::vector<DriverProgress> progressOf(const std::string &output, int files)
{
    std::vector<DriverProgress> progress(static_cast<std::size_t>(files));
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        char kind = 0;
        int file = -1;
        int round = -1;
        fields >> kind >> file >> round;
        if (!fields || file < 0 || file >= files)
            continue; // the last line may have been cut by the kill
        DriverProgress &p = progress[static_cast<std::size_t>(file)];
        if (kind == 'B') {
            p.interrupted = round;
        } else if (kind == 'E') {
            p.lastDone = round;
            p.interrupted = -1;
        }
    }
    return progress;
}
