// The comment store library against plain loops of system calls, in the same run, on real (not
// sparse) files of 4,096 and 4,000 bytes, wall time beside CPU time:
//   - ReplaceComments and ReadComments over 5,000 small files (targets: 50,000 replaces and
//     100,000 reads a second);
//   - a C loop doing the same safety work as a replace (open, lock, fstat, pread of the tail, one
//     journal pwrite, pwrite of the block, ftruncate when shorter, close): the library should cost
//     at most 1.3 times that;
//   - the bare loop of six calls (open, fstat, pread, pwrite, ftruncate, close): at most 1.6 times;
//   - a replace and a read on sparse files of 100 MiB and 2 GiB cost what they cost on 4 KiB.
// The ratios are printed at the end.
#include "scrivlet.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSmallFiles = 5000;
// Two comments of one length, taken in turn, so that every replace writes.
const std::string kComments[2] = {"a comment of ordinary length, as people type them: first",
                                  "a comment of ordinary length, as people type them: other"};

std::string blockOf(const std::string &comment)
{
    return SCRIVLET_START_MARKER + comment + SCRIVLET_END_MARKER;
}

std::string benchFolder()
{
    const char *base = std::getenv("SCRIVLET_BENCH_DIR");
    return std::string(base != nullptr ? base : "/tmp") + "/scrivlet-bench-" + std::to_string(::getpid());
}

int replaceComment(const std::string &path, const std::string &comment)
{
    const char *file = path.c_str();
    const char *text = comment.c_str();
    return ReplaceComments(&file, &text, static_cast<int32_t>(comment.size()), 0);
}

int readComment(const std::string &path, std::vector<char> &area)
{
    const char *file = path.c_str();
    return ReadComments(area.data(), static_cast<int32_t>(area.size()), &file);
}

// A file of @p size bytes in all: real bytes (or a hole of that size when sparse), then a block.
void makeFile(const std::string &path, off_t size, bool sparse)
{
    const std::string block = blockOf(kComments[0]);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const auto own = static_cast<std::size_t>(size) - block.size();
    bool ok = fd >= 0;
    if (ok && sparse) {
        ok = ::ftruncate(fd, static_cast<off_t>(own)) == 0 &&
             ::pwrite(fd, block.data(), block.size(), static_cast<off_t>(own)) ==
                 static_cast<ssize_t>(block.size());
    } else if (ok) {
        std::string bytes(own, 'x');
        bytes += block;
        ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    if (fd >= 0)
        ::close(fd);
    if (!ok)
        throw std::runtime_error("cannot create " + path);
}

struct Files
{
    std::string folder = benchFolder();
    std::map<off_t, std::vector<std::string>> small; // by size: 4,096 and 4,000 bytes
    std::vector<std::string> sized;                  // 4 KiB real, 100 MiB and 2 GiB sparse
    std::string journal = folder + "/journal";

    Files()
    {
        std::filesystem::create_directories(folder);
        // The library's journals stay with the benchmark's files.
        ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
        for (const off_t size : {off_t{4096}, off_t{4000}}) {
            for (int i = 0; i < kSmallFiles; ++i) {
                small[size].push_back(folder + "/small-" + std::to_string(size) + "-" + std::to_string(i));
                makeFile(small[size].back(), size, false);
            }
        }
        const off_t sizes[] = {off_t{4} << 10, off_t{100} << 20, off_t{2} << 30};
        for (std::size_t i = 0; i < 3; ++i) {
            sized.push_back(folder + "/sized-" + std::to_string(sizes[i]));
            makeFile(sized.back(), sizes[i], i > 0);
        }
    }
    ~Files() { std::filesystem::remove_all(folder); }
};

Files &files()
{
    static Files instance;
    return instance;
}

void check(bool ok, benchmark::State &state)
{
    if (!ok)
        state.SkipWithError("operation failed");
}

// The safety work of a replace by hand: one open, an exclusive lock, fstat, the tail read, the undo
// record written to a journal, the new block written over the old one, a cut when shorter.
bool safetyLoop(const std::string &path, int journal, const std::string &block, std::string &tail,
                std::string &record)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    struct stat info
    {
    };
    bool ok = fd >= 0 && ::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &info) == 0;
    const off_t tailSize = info.st_size < 4096 ? info.st_size : 4096;
    ok = ok &&
         ::pread(fd, tail.data(), static_cast<std::size_t>(tailSize), info.st_size - tailSize) == tailSize;
    const auto start = static_cast<off_t>(info.st_size) - static_cast<off_t>(block.size());
    record.assign(104, 'h')
        .append(path)
        .append(tail, static_cast<std::size_t>(tailSize) - block.size())
        .append(block);
    ok = ok && ::pwrite(journal, record.data(), record.size(), 0) == static_cast<ssize_t>(record.size());
    ok = ok && ::pwrite(fd, block.data(), block.size(), start) == static_cast<ssize_t>(block.size());
    if (ok && start + static_cast<off_t>(block.size()) < info.st_size)
        ok = ::ftruncate(fd, start + static_cast<off_t>(block.size())) == 0;
    ::close(fd);
    return ok;
}

// The fewest system calls any replace needs: open, fstat, pread, pwrite, ftruncate, close.
bool bareLoop(const std::string &path, const std::string &block, std::string &tail)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    struct stat info
    {
    };
    bool ok = fd >= 0 && ::fstat(fd, &info) == 0;
    const off_t tailSize = info.st_size < 4096 ? info.st_size : 4096;
    ok = ok &&
         ::pread(fd, tail.data(), static_cast<std::size_t>(tailSize), info.st_size - tailSize) == tailSize;
    const auto start = static_cast<off_t>(info.st_size) - static_cast<off_t>(block.size());
    ok = ok && ::pwrite(fd, block.data(), block.size(), start) == static_cast<ssize_t>(block.size());
    ok = ok && ::ftruncate(fd, start + static_cast<off_t>(block.size())) == 0;
    ::close(fd);
    return ok;
}

const std::vector<std::string> &smallFiles(const benchmark::State &state)
{
    return files().small.at(static_cast<off_t>(state.range(0)));
}

void BM_Replace(benchmark::State &state)
{
    const auto &paths = smallFiles(state);
    std::size_t next = 0;
    std::size_t turn = 0;
    for (auto _ : state) {
        check(replaceComment(paths[next], kComments[turn]) == SCRIVLET_OK, state);
        if (++next == paths.size()) {
            next = 0;
            turn ^= 1;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SafetyLoop(benchmark::State &state)
{
    const auto &paths = smallFiles(state);
    const int journal = ::open(files().journal.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    std::string tail(4096, '\0');
    std::string record;
    std::size_t next = 0;
    std::size_t turn = 0;
    const std::string blocks[2] = {blockOf(kComments[0]), blockOf(kComments[1])};
    for (auto _ : state) {
        check(safetyLoop(paths[next], journal, blocks[turn], tail, record), state);
        if (++next == paths.size()) {
            next = 0;
            turn ^= 1;
        }
    }
    ::close(journal);
    state.SetItemsProcessed(state.iterations());
}

void BM_BareLoop(benchmark::State &state)
{
    const auto &paths = smallFiles(state);
    std::string tail(4096, '\0');
    std::size_t next = 0;
    std::size_t turn = 0;
    const std::string blocks[2] = {blockOf(kComments[0]), blockOf(kComments[1])};
    for (auto _ : state) {
        check(bareLoop(paths[next], blocks[turn], tail), state);
        if (++next == paths.size()) {
            next = 0;
            turn ^= 1;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Read(benchmark::State &state)
{
    const auto &paths = smallFiles(state);
    std::vector<char> area(65535, ' ');
    std::size_t next = 0;
    for (auto _ : state) {
        check(readComment(paths[next], area) == SCRIVLET_OK && area[0] == 'a', state);
        next = (next + 1) % paths.size();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ReplaceBySize(benchmark::State &state)
{
    const std::string &path = files().sized.at(static_cast<std::size_t>(state.range(0)));
    std::size_t turn = 0;
    for (auto _ : state) {
        check(replaceComment(path, kComments[turn]) == SCRIVLET_OK, state);
        turn ^= 1;
    }
}

void BM_ReadBySize(benchmark::State &state)
{
    const std::string &path = files().sized.at(static_cast<std::size_t>(state.range(0)));
    std::vector<char> area(65535, ' ');
    for (auto _ : state)
        check(readComment(path, area) == SCRIVLET_OK, state);
}

// Keeps each run's wall and CPU time per call, for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            m_times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios() const
    {
        std::printf("\nRatios (wall time per file; CPU time in brackets):\n");
        for (const char *size : {"4096", "4000"}) {
            const auto replace = find(std::string("BM_Replace/") + size);
            const auto safety = find(std::string("BM_SafetyLoop/") + size);
            const auto bare = find(std::string("BM_BareLoop/") + size);
            const auto read = find(std::string("BM_Read/") + size);
            if (replace.first <= 0 || safety.first <= 0 || bare.first <= 0 || read.first <= 0)
                continue;
            std::printf(
                "  %s-byte files: replace / safety loop %.2f (%.2f), replace / bare loop %.2f (%.2f); "
                "%.0f replaces/s, %.0f reads/s (wall)\n",
                size, replace.first / safety.first, replace.second / safety.second,
                replace.first / bare.first, replace.second / bare.second, 1e9 / replace.first,
                1e9 / read.first);
        }
        for (const char *name : {"BM_ReplaceBySize", "BM_ReadBySize"}) {
            const auto small = find(std::string(name) + "/0");
            const auto large = find(std::string(name) + "/2");
            if (small.first > 0 && large.first > 0)
                std::printf("  %s: 2 GiB / 4 KiB %.2f\n", name + 3, large.first / small.first);
        }
    }

private:
    std::pair<double, double> find(const std::string &name) const
    {
        const auto it = m_times.find(name + "/real_time");
        return it != m_times.end() ? it->second : std::pair<double, double>{0, 0};
    }

    std::map<std::string, std::pair<double, double>> m_times;
};

} // namespace

BENCHMARK(BM_Replace)->Arg(4096)->Arg(4000)->UseRealTime();
BENCHMARK(BM_SafetyLoop)->Arg(4096)->Arg(4000)->UseRealTime();
BENCHMARK(BM_BareLoop)->Arg(4096)->Arg(4000)->UseRealTime();
BENCHMARK(BM_Read)->Arg(4096)->Arg(4000)->UseRealTime();
BENCHMARK(BM_ReplaceBySize)->DenseRange(0, 2)->UseRealTime();
BENCHMARK(BM_ReadBySize)->DenseRange(0, 2)->UseRealTime();

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    files();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
