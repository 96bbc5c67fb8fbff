// scriv against the xattr tools, both run as programs in the same run:
// - start-up: `scriv --version` against `setfattr --version`, 200 runs each (target: at most 2x);
// - `scriv ls -r` over 100,000 small commented files against `getfattr -R -d` over the same files
//   carrying the comment as an extended attribute, with the cache warm (target: at most 1.2x);
// - the same with the files' data evicted first (posix_fadvise DONTNEED), against the warm time
//   (target: at most 3x);
// - the whole process `scriv set -r` over 1,000 and over 100,000 files of 4,000 bytes in one folder,
//   replacing a comment of 80 bytes, against a bare C loop in this process that lists the folder
//   and makes open/fstat/pread/ftruncate/pwrite/close per file (target: at most 1.3x), and against a
//   C loop of the same safety work (an exclusive lock, a journal record before and a done mark after).
// Wall time beside CPU time (user + system of the child). Output goes to /dev/null.
//
// Usage: bench_scriv [FILES [set]] (default 100000; with "set" only the setting part). The trees lie under
// $SCRIVLET_BENCH_DIR (default /var/tmp: a disk, so that evicted data must really be read again).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <ftw.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

constexpr std::size_t kSetFileBytes = 4000;

// Two comments of the same length, so every run replaces each file's block by one as long.
std::string commentOf(int run)
{
    return std::string(run % 2 == 0 ? "first" : "other") + " comment of eighty bytes" + std::string(52, '.');
}

std::string blockOf(const std::string &comment)
{
    return "#.START.#" + comment + "#.END.# ";
}

// One folder of files of kSetFileBytes bytes, their own data followed by the block of run -1's comment.
void makeSetFolder(const std::string &folder, int files)
{
    fs::create_directories(folder);
    const std::string block = blockOf(commentOf(1));
    const std::string bytes = std::string(kSetFileBytes - block.size(), 'd') + block;
    for (int i = 0; i < files; ++i) {
        const std::string path = folder + "/file" + std::to_string(i) + ".txt";
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            throw std::runtime_error("cannot make " + path);
        ::close(fd);
    }
}

// What a loop over the folder does per file; @p journal is -1 for the bare loop.
void replaceTail(int folder, const char *name, const std::string &block, int journal, std::string &record)
{
    const int fd = ::openat(folder, name, O_RDWR | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error(std::string("cannot open ") + name);
    if (journal >= 0)
        ::flock(fd, LOCK_EX);
    struct stat info
    {
    };
    ::fstat(fd, &info);
    char tail[4096];
    const auto size = static_cast<std::size_t>(info.st_size);
    const std::size_t count = std::min(size, sizeof tail);
    const auto at = static_cast<off_t>(size - count);
    if (::pread(fd, tail, count, at) != static_cast<ssize_t>(count))
        throw std::runtime_error("short read");
    const auto start = static_cast<off_t>(size - block.size());
    if (journal >= 0) {
        // The record holds the path and the old and new blocks; the done mark is one word.
        record.assign(name);
        record.append(tail + count - block.size(), block.size()).append(block);
        (void)!::pwrite(journal, record.data(), record.size(), 0);
    }
    if (journal < 0)
        (void)!::ftruncate(fd, start);
    (void)!::pwrite(fd, block.data(), block.size(), start);
    if (journal >= 0) {
        const std::uint32_t done = 2;
        (void)!::pwrite(journal, &done, sizeof done, 16);
    }
    ::close(fd);
}

double cpuNow()
{
    struct timespec now
    {
    };
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Lists @p folder and replaces every file's block by @p block, as a C program would.
Run cLoop(const std::string &folder, const std::string &block, bool safety)
{
    const auto start = Clock::now();
    const double cpuStart = cpuNow();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const std::string journalPath = folder + ".journal";
    const int journal = safety ? ::open(journalPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600) : -1;
    DIR *directory = ::fdopendir(::dup(fd));
    std::string record;
    while (const dirent *entry = ::readdir(directory)) {
        if (entry->d_name[0] != '.')
            replaceTail(fd, entry->d_name, block, journal, record);
    }
    ::closedir(directory);
    if (journal >= 0) {
        ::close(journal);
        ::unlink(journalPath.c_str());
    }
    ::close(fd);
    Run run;
    run.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    run.cpuMs = cpuNow() - cpuStart;
    return run;
}

// scriv set over one folder of @p files against both loops, alternating, @p runs times each.
void benchSet(const std::string &scriv, const std::string &base, int files, int runs)
{
    const std::string folder = base + "/set-" + std::to_string(files);
    makeSetFolder(folder, files);
    Series scrivSet;
    Series bare;
    Series safety;
    int run = 0;
    cLoop(folder, blockOf(commentOf(run++)), false); // warm the cache and the folder
    for (int i = 0; i < runs; ++i) {
        scrivSet.add(runProgram({scriv, "set", "-r", "-m", commentOf(run++), folder}));
        bare.add(cLoop(folder, blockOf(commentOf(run++)), false));
        safety.add(cLoop(folder, blockOf(commentOf(run++)), true));
    }
    std::printf("\nSetting an 80-byte comment on %d files of %zu bytes in one folder:\n", files,
                kSetFileBytes);
    report("scriv set -r (whole process)", scrivSet);
    report("bare C loop, in this process", bare);
    report("same-safety C loop, in this process", safety);
    ratio("scriv set / bare loop, wall", median(scrivSet.wall) / median(bare.wall), 1.3);
    ratio("scriv set / bare loop, cpu", median(scrivSet.cpu) / median(bare.cpu), 1.3);
    std::printf("  %-34s %.2fx (cpu %.2fx)\n", "scriv set / same-safety loop, wall",
                median(scrivSet.wall) / median(safety.wall), median(scrivSet.cpu) / median(safety.cpu));
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

// Start-up and listing against the xattr tools.
void benchList(const std::string &scriv, const std::string &root, int files)
{
    const char *setfattr = "/usr/bin/setfattr";
    const char *getfattr = "/usr/bin/getfattr";
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
}

} // namespace

int main(int argc, char **argv)
{
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::string scriv = (fs::path(argv[0]).parent_path() / "scriv").string();
    const char *base = std::getenv("SCRIVLET_BENCH_DIR");
    const std::string root =
        std::string(base != nullptr ? base : "/var/tmp") + "/scriv-bench-" + std::to_string(::getpid());
    std::error_code ignored;
    if (argc <= 2 || std::string(argv[2]) != "set") {
        if (!fs::exists("/usr/bin/setfattr") || !fs::exists("/usr/bin/getfattr")) {
            std::printf("bench_scriv: needs setfattr and getfattr (Debian package attr: "
                        "scripts/bootstrap.sh attr)\n");
            return 1;
        }
        benchList(scriv, root, files);
        fs::remove_all(root, ignored);
    }

    // Its own journal folder, so the benchmark neither meets nor leaves the user's records.
    const std::string state = root + "-state";
    fs::create_directories(state);
    ::chmod(state.c_str(), 0700);
    ::setenv("XDG_STATE_HOME", state.c_str(), 1);
    benchSet(scriv, root, 1000, 15);
    benchSet(scriv, root, std::max(files, 1000), 5);
    fs::remove_all(state, ignored);
    fs::remove_all(root, ignored);
    return 0;
}
