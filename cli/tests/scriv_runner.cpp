#include "scriv_runner.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <map>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace scrivlet {

namespace {

namespace fs = std::filesystem;

std::vector<char *> pointersTo(std::vector<std::string> &strings)
{
    std::vector<char *> pointers;
    pointers.reserve(strings.size() + 1);
    for (std::string &string : strings)
        pointers.push_back(string.data());
    pointers.push_back(nullptr);
    return pointers;
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

// An unlinked temporary file: the child's standard stream, read back after it ends.
int scratchFile()
{
    char name[] = "/tmp/scriv-io-XXXXXX";
    const int fd = ::mkstemp(name);
    ::unlink(name);
    return fd;
}

// A folder under /tmp that every user can enter, removed when the test program ends.
class SharedFolder
{
public:
    SharedFolder()
    {
        std::string pattern = "/tmp/scriv-run-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr && ::chmod(pattern.c_str(), 0755) == 0)
            m_path = pattern;
    }
    ~SharedFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            fs::remove_all(m_path, ignored);
    }
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

SharedFolder &shared()
{
    static SharedFolder folder;
    return folder;
}

// The journal folder of the children run as @p user, owned by that user.
std::string stateFolderFor(uid_t user)
{
    const std::string folder = shared().path() + "/state-" + std::to_string(user);
    if (::mkdir(folder.c_str(), 0700) == 0 && ::geteuid() == 0)
        (void)::chown(folder.c_str(), user, static_cast<gid_t>(-1));
    return folder;
}

// scriv and its library copied where another user can run them (the build may lie in a folder
// only its owner may enter, such as a clone under /root or in a mktemp -d folder).
std::optional<std::string> reachableBinary(std::string &reason)
{
    static std::optional<std::string> copied;
    static std::string failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const std::string folder = shared().path() + "/bin";
        std::error_code error;
        fs::create_directory(folder, error);
        const fs::path built = fs::path(ScrivRunner::binary()).parent_path();
        for (const char *name : {"scriv", "libScrivlet.so"}) {
            if (!error)
                fs::copy_file(built / name, fs::path(folder) / name, fs::copy_options::overwrite_existing,
                              error);
        }
        if (!error)
            fs::permissions(folder, fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write,
                            error);
        if (error || shared().path().empty())
            failure = "cannot copy scriv where another user can run it: " + error.message();
        else
            copied = folder + "/scriv";
    }
    reason = failure;
    return copied;
}

std::vector<std::string> environmentFor(uid_t user)
{
    std::vector<std::string> environment;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        if (std::string_view(*entry).substr(0, 15) != "XDG_STATE_HOME=")
            environment.emplace_back(*entry);
    }
    environment.push_back("XDG_STATE_HOME=" + stateFolderFor(user));
    return environment;
}

pid_t spawn(std::vector<std::string> &all, std::vector<std::string> &environment, int in, int out, int err)
{
    std::vector<char *> argv = pointersTo(all);
    std::vector<char *> envp = pointersTo(environment);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
    pid_t child = -1;
    // posix_spawn rather than fork: much cheaper from a big (sanitized) test process, which
    // matters when the crash test starts scriv dozens of times.
    if (::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        child = -1;
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

void collect(pid_t child, int status, ScrivRunner::Result &result)
{
    (void)child;
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
}

} // namespace

std::string ScrivRunner::binary()
{
    return std::string(SCRIVLET_BUILD_DIR) + "/bin/scriv";
}

std::string ScrivRunner::stateHome()
{
    return stateFolderFor(::geteuid());
}

ScrivRunner::Result ScrivRunner::run(const std::vector<std::string> &arguments, const std::string &input)
{
    Options options;
    options.input = input;
    return run(arguments, options);
}

ScrivRunner::Result ScrivRunner::run(const std::vector<std::string> &arguments, const Options &options)
{
    Result result;
    std::string program = binary();
    if (options.user) {
        std::string reason;
        const auto reachable = reachableBinary(reason);
        if (!reachable) {
            result.exitCode = 126;
            result.err = reason;
            return result;
        }
        program = *reachable;
    }
    const int in = scratchFile();
    const int out = options.output ? ::open(options.output->c_str(), O_WRONLY | O_CLOEXEC) : scratchFile();
    const int err = scratchFile();
    if (::write(in, options.input.data(), options.input.size()) != static_cast<ssize_t>(options.input.size()))
        std::abort();
    ::lseek(in, 0, SEEK_SET);

    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment = environmentFor(options.user.value_or(::geteuid()));

    pid_t child = -1;
    if (options.user) {
        std::vector<char *> argv = pointersTo(all);
        std::vector<char *> envp = pointersTo(environment);
        // Only a forked child can drop root before running scriv.
        child = ::fork();
        if (child == 0) {
            ::dup2(in, STDIN_FILENO);
            ::dup2(out, STDOUT_FILENO);
            ::dup2(err, STDERR_FILENO);
            const passwd *entry = ::getpwuid(*options.user);
            const gid_t group = entry != nullptr ? entry->pw_gid : *options.user;
            if (::setgroups(0, nullptr) != 0 || ::setgid(group) != 0 || ::setuid(*options.user) != 0)
                ::_exit(126);
            ::execve(argv[0], argv.data(), envp.data());
            ::_exit(127);
        }
    } else {
        child = spawn(all, environment, in, out, err);
    }
    if (child < 0) {
        result.err = "scriv could not be started";
    } else {
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + options.timeout;
        while (::waitpid(child, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                result.timedOut = true;
                ::kill(child, SIGKILL);
                ::waitpid(child, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        collect(child, status, result);
        if (!options.output)
            result.out = slurp(out);
        result.err = slurp(err);
    }
    ::close(in);
    ::close(out);
    ::close(err);
    return result;
}

ScrivRunner::Started ScrivRunner::start(const std::vector<std::string> &arguments)
{
    Started started;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return started;
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    started.err = scratchFile();
    std::vector<std::string> all{binary()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment = environmentFor(::geteuid());
    started.pid = spawn(all, environment, pipeFds[0], null, started.err);
    ::close(pipeFds[0]);
    ::close(null);
    started.input = pipeFds[1];
    return started;
}

ScrivRunner::Result ScrivRunner::wait(Started &started)
{
    Result result;
    if (started.input >= 0)
        ::close(started.input);
    int status = 0;
    if (started.pid > 0 && ::waitpid(started.pid, &status, 0) == started.pid)
        collect(started.pid, status, result);
    result.err = slurp(started.err);
    ::close(started.err);
    started = {};
    return result;
}

} // namespace scrivlet
