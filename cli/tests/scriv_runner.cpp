#include "scriv_runner.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace {

std::vector<char *> argvOf(std::vector<std::string> &arguments)
{
    std::vector<char *> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    return argv;
}

std::string slurp(int fd)
{
    std::string text;
    ::lseek(fd, 0, SEEK_SET);
    char buffer[65536];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(got));
    return text;
}

// posix_spawn rather than fork: much cheaper from a big (sanitized) test process, which matters
// when the crash test starts scriv dozens of times.
pid_t spawn(std::vector<char *> &argv, int in, int out, int err)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
    pid_t child = -1;
    if (::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        child = -1;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

// An unlinked temporary file: the child's standard stream, read back after it ends.
int scratchFile()
{
    char name[] = "/tmp/scriv-io-XXXXXX";
    const int fd = ::mkstemp(name);
    ::unlink(name);
    return fd;
}

} // namespace

std::string ScrivRunner::binary()
{
    return std::string(SCRIVLET_BUILD_DIR) + "/bin/scriv";
}

ScrivRunner::Result ScrivRunner::run(const std::vector<std::string> &arguments, const std::string &input,
                                     std::optional<uid_t> user, std::chrono::milliseconds timeout)
{
    const int in = scratchFile();
    const int out = scratchFile();
    const int err = scratchFile();
    if (::write(in, input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        std::abort();
    ::lseek(in, 0, SEEK_SET);

    std::vector<std::string> all{binary()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv = argvOf(all);

    pid_t child = -1;
    if (user) {
        // Only a forked child can drop root before running scriv.
        child = ::fork();
        if (child == 0) {
            ::dup2(in, STDIN_FILENO);
            ::dup2(out, STDOUT_FILENO);
            ::dup2(err, STDERR_FILENO);
            const passwd *entry = ::getpwuid(*user);
            const gid_t group = entry != nullptr ? entry->pw_gid : *user;
            if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(*user) != 0)
                ::_exit(126);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    } else {
        child = spawn(argv, in, out, err);
    }
    Result result;
    if (child < 0) {
        result.err = "scriv could not be started";
        ::close(in);
        ::close(out);
        ::close(err);
        return result;
    }

    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            result.timedOut = true;
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    result.out = slurp(out);
    result.err = slurp(err);
    ::close(in);
    ::close(out);
    ::close(err);
    return result;
}

pid_t ScrivRunner::start(const std::vector<std::string> &arguments)
{
    std::vector<std::string> all{binary()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv = argvOf(all);
    const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t child = spawn(argv, null, null, null);
    ::close(null);
    return child;
}
