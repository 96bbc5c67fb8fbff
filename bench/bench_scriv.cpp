// scriv against the xattr tools, both run as programs in the same run:
// - start-up: `scriv --version` against `setfattr --version`, 200 runs each (target: at most 2x);
// - `scriv ls -r` over 100,000 small commented files against `getfattr -R -d` over the same files
//   carrying the comment as an extended attribute, with the cache warm (target: at most 1.2x);
// - the same with the files' data evicted first (posix_fadvise DONTNEED), against the warm time
//   (target: at most 3x).
// Wall time beside CPU time (user + system of the child). Output goes to /dev/null.
//
// Usage: bench_scriv [FILES] (default 100000). The tree lies under $SCRIVLET_BENCH_DIR (default
// /var/tmp: a disk, so that evicted data must really be read again).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <ftw.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Run
{
    double wallMs = 0;
    double cpuMs = 0;
};

double toMs(const timeval &t)
{
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// Runs a program with standard output and error on /dev/null and waits for it.
Run runProgram(const std::vector<std::string> &command)
{
    std::vector<char *> argv;
    for (const std::string &part : command)
        argv.push_back(const_cast<char *>(part.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t child = -1;
    if (::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + command[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    Run run;
    run.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    run.cpuMs = toMs(usage.ru_utime) + toMs(usage.ru_stime);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(command[0] + " failed");
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Series
{
    std::vector<double> wall;
    std::vector<double> cpu;
    void add(const Run &run)
    {
        wall.push_back(run.wallMs);
        cpu.push_back(run.cpuMs);
    }
};

void report(const char *what, const Series &series)
{
    std::printf("  %-34s wall %9.3f ms (median of %zu)   cpu %9.3f ms\n", what, median(series.wall),
                series.wall.size(), median(series.cpu));
}

void ratio(const char *what, double value, double target)
{
    std::printf("  %-34s %.2fx   (target at most %.1fx: %s)\n", what, value, target,
                value <= target ? "met" : "NOT met");
}

// 100 folders of files: a few hundred bytes of data, then the comment both ways.
void makeTree(const std::string &root, int files)
{
    const int perFolder = 1000;
    std::string data(200, 'd');
    for (int i = 0; i < files; ++i) {
        const std::string folder = root + "/folder" + std::to_string(i / perFolder);
        if (i % perFolder == 0)
            fs::create_directories(folder);
        const std::string path = folder + "/file" + std::to_string(i) + ".txt";
        const std::string comment = "comment number " + std::to_string(i) + ", as people type them";
        const std::string bytes = data + "#.START.#" + comment + "#.END.# ";
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            ::fsetxattr(fd, "user.comment", comment.data(), comment.size(), 0) != 0)
            throw std::runtime_error("cannot make " + path + " (does the file system keep user xattrs?)");
        ::close(fd);
    }
    // Written back once, so that eviction finds clean pages it may drop.
    const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::syncfs(fd);
    ::close(fd);
}

int evictOne(const char *path, const struct stat *, int type, FTW *)
{
    if (type != FTW_F)
        return 0;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
    return 0;
}

// Drops the files' data from the page cache (dropping every cache needs privileges a container
// rarely has); the folders and inodes stay cached, as after a listing of the tree.
void evict(const std::string &root)
{
    ::nftw(root.c_str(), evictOne, 64, FTW_PHYS);
}

} // namespace

int main(int argc, char **argv)
{
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::string scriv = (fs::path(argv[0]).parent_path() / "scriv").string();
    const char *setfattr = "/usr/bin/setfattr";
    const char *getfattr = "/usr/bin/getfattr";
    if (!fs::exists(setfattr) || !fs::exists(getfattr)) {
        std::printf("bench_scriv: needs setfattr and getfattr (Debian package attr: "
                    "scripts/bootstrap.sh attr)\n");
        return 1;
    }

    std::printf("Start-up, 200 runs each, alternating:\n");
    Series scrivStart;
    Series setfattrStart;
    for (int i = 0; i < 10; ++i) { // warm the loader's caches
        runProgram({scriv, "--version"});
        runProgram({setfattr, "--version"});
    }
    for (int i = 0; i < 200; ++i) {
        scrivStart.add(runProgram({scriv, "--version"}));
        setfattrStart.add(runProgram({setfattr, "--version"}));
    }
    report("scriv --version", scrivStart);
    report("setfattr --version", setfattrStart);
    ratio("scriv / setfattr", median(scrivStart.wall) / median(setfattrStart.wall), 2.0);

    const char *base = std::getenv("SCRIVLET_BENCH_DIR");
    const std::string root =
        std::string(base != nullptr ? base : "/var/tmp") + "/scriv-bench-" + std::to_string(::getpid());
    std::printf("\nListing %d files under %s:\n", files, root.c_str());
    makeTree(root, files);
    const std::vector<std::string> list{scriv, "ls", "-r", root};
    const std::vector<std::string> dump{getfattr, "-R", "-d", root};

    Series scrivWarm;
    Series getfattrWarm;
    runProgram(list);
    runProgram(dump);
    for (int i = 0; i < 5; ++i) {
        scrivWarm.add(runProgram(list));
        getfattrWarm.add(runProgram(dump));
    }
    Series scrivCold;
    Series getfattrCold;
    for (int i = 0; i < 3; ++i) {
        evict(root);
        scrivCold.add(runProgram(list));
        evict(root);
        getfattrCold.add(runProgram(dump));
    }
    report("scriv ls -r, warm", scrivWarm);
    report("getfattr -R -d, warm", getfattrWarm);
    report("scriv ls -r, data evicted", scrivCold);
    report("getfattr -R -d, data evicted", getfattrCold);
    ratio("scriv / getfattr, warm", median(scrivWarm.wall) / median(getfattrWarm.wall), 1.2);
    ratio("scriv evicted / scriv warm", median(scrivCold.wall) / median(scrivWarm.wall), 3.0);
    std::printf("  %-34s %.2fx\n", "scriv evicted / getfattr evicted",
                median(scrivCold.wall) / median(getfattrCold.wall));

    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
