// The comment store library's cost against the size of the file and over many small files, each
// beside a bare loop of the system calls it cannot avoid (the reference for what the disk allows).
//
// Targets: a read or delete on the 2 GiB file costs at most twice the same on the 4 KiB file; over
// the small files at least 50,000 reads and 20,000 saves a second.
#include "scrivlet.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string kBlock = "#.START.#a comment of ordinary length, as people type them#.END.# ";

std::string benchFolder()
{
    const char *base = std::getenv("SCRIVLET_BENCH_DIR");
    return std::string(base != nullptr ? base : "/tmp") + "/scrivlet-bench-" + std::to_string(::getpid());
}

int writeComment(const std::string &path)
{
    const char *text = kBlock.c_str();
    const char *file = path.c_str();
    return WriteComments(&text, static_cast<int32_t>(kBlock.size()), &file);
}

int deleteComment(const std::string &path)
{
    const char *file = path.c_str();
    return DelComments(&file);
}

int readComment(const std::string &path, std::vector<char> &area)
{
    const char *file = path.c_str();
    return ReadComments(area.data(), static_cast<int32_t>(area.size()), &file);
}

// A file of the given size (sparse: holes read as zeros) followed by one block.
void makeFile(const std::string &path, off_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::ftruncate(fd, size) != 0)
        throw std::runtime_error("cannot create " + path);
    ::close(fd);
    if (writeComment(path) != SCRIVLET_OK)
        throw std::runtime_error("cannot comment " + path);
}

void check(bool ok, benchmark::State &state)
{
    if (!ok)
        state.SkipWithError("operation failed");
}

// The files live as long as the program: the 2 GiB one is made once.
struct Files
{
    std::string folder = benchFolder();
    std::vector<std::string> sized;
    std::vector<std::string> small;

    Files()
    {
        std::filesystem::create_directories(folder);
        for (const off_t size : {off_t{4} << 10, off_t{100} << 20, off_t{2} << 30}) {
            sized.push_back(folder + "/sized-" + std::to_string(size));
            makeFile(sized.back(), size);
        }
        for (int i = 0; i < 10000; ++i) {
            small.push_back(folder + "/small-" + std::to_string(i));
            makeFile(small.back(), 1000 + (i % 4) * 1000);
        }
    }
    ~Files() { std::filesystem::remove_all(folder); }
};

Files &files()
{
    static Files instance;
    return instance;
}

const std::string &sizedFile(const benchmark::State &state)
{
    return files().sized.at(static_cast<std::size_t>(state.range(0)));
}

void labelSize(benchmark::State &state)
{
    static const char *const names[] = {"4 KiB", "100 MiB", "2 GiB"};
    state.SetLabel(names[state.range(0)]);
}

// What any read must do: open, learn the length, read the tail, close.
bool bareRead(const std::string &path, std::vector<char> &area)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info
    {
    };
    const bool ok = fd >= 0 && ::fstat(fd, &info) == 0 &&
                    ::pread(fd, area.data(), 4096, info.st_size > 4096 ? info.st_size - 4096 : 0) >= 0;
    ::close(fd);
    return ok;
}

// What a delete must do besides: open for writing and cut.
bool bareCut(const std::string &path, off_t cutBy)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    struct stat info
    {
    };
    const bool ok = fd >= 0 && ::fstat(fd, &info) == 0 && ::ftruncate(fd, info.st_size - cutBy) == 0;
    ::close(fd);
    return ok;
}

bool bareAppend(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    const bool ok =
        fd >= 0 && ::write(fd, kBlock.data(), kBlock.size()) == static_cast<ssize_t>(kBlock.size());
    ::close(fd);
    return ok;
}

const off_t kBlockSize = static_cast<off_t>(kBlock.size());

void BM_Read(benchmark::State &state)
{
    const std::string &path = sizedFile(state);
    std::vector<char> area(65535, ' ');
    for (auto _ : state)
        check(readComment(path, area) == SCRIVLET_OK && area[0] == 'a', state);
    labelSize(state);
}

void BM_ReadBare(benchmark::State &state)
{
    const std::string &path = sizedFile(state);
    std::vector<char> area(65535, ' ');
    for (auto _ : state)
        check(bareRead(path, area), state);
    labelSize(state);
}

void BM_Delete(benchmark::State &state)
{
    const std::string &path = sizedFile(state);
    for (auto _ : state) {
        check(deleteComment(path) == SCRIVLET_OK, state);
        state.PauseTiming();
        check(writeComment(path) == SCRIVLET_OK, state);
        state.ResumeTiming();
    }
    labelSize(state);
}

void BM_DeleteBare(benchmark::State &state)
{
    const std::string &path = sizedFile(state);
    std::vector<char> area(65535, ' ');
    for (auto _ : state) {
        check(bareRead(path, area) && bareCut(path, kBlockSize), state);
        state.PauseTiming();
        check(bareAppend(path), state);
        state.ResumeTiming();
    }
    labelSize(state);
}

void BM_Save(benchmark::State &state)
{
    const std::string &path = sizedFile(state);
    for (auto _ : state)
        check(deleteComment(path) == SCRIVLET_OK && writeComment(path) == SCRIVLET_OK, state);
    labelSize(state);
}

void BM_SaveBare(benchmark::State &state)
{
    const std::string &path = sizedFile(state);
    std::vector<char> area(65535, ' ');
    for (auto _ : state)
        check(bareRead(path, area) && bareCut(path, kBlockSize) && bareAppend(path), state);
    labelSize(state);
}

void BM_SmallFilesRead(benchmark::State &state)
{
    const auto &small = files().small;
    std::vector<char> area(65535, ' ');
    std::size_t next = 0;
    for (auto _ : state) {
        check(readComment(small[next], area) == SCRIVLET_OK, state);
        next = (next + 1) % small.size();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SmallFilesReadBare(benchmark::State &state)
{
    const auto &small = files().small;
    std::vector<char> area(65535, ' ');
    std::size_t next = 0;
    for (auto _ : state) {
        check(bareRead(small[next], area), state);
        next = (next + 1) % small.size();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SmallFilesSave(benchmark::State &state)
{
    const auto &small = files().small;
    std::size_t next = 0;
    for (auto _ : state) {
        check(deleteComment(small[next]) == SCRIVLET_OK && writeComment(small[next]) == SCRIVLET_OK, state);
        next = (next + 1) % small.size();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SmallFilesSaveBare(benchmark::State &state)
{
    const auto &small = files().small;
    std::vector<char> area(65535, ' ');
    std::size_t next = 0;
    for (auto _ : state) {
        check(bareRead(small[next], area) && bareCut(small[next], kBlockSize) && bareAppend(small[next]),
              state);
        next = (next + 1) % small.size();
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_Read)->DenseRange(0, 2);
BENCHMARK(BM_ReadBare)->DenseRange(0, 2);
BENCHMARK(BM_Delete)->DenseRange(0, 2);
BENCHMARK(BM_DeleteBare)->DenseRange(0, 2);
BENCHMARK(BM_Save)->DenseRange(0, 2);
BENCHMARK(BM_SaveBare)->DenseRange(0, 2);
BENCHMARK(BM_SmallFilesRead);
BENCHMARK(BM_SmallFilesReadBare);
BENCHMARK(BM_SmallFilesSave);
BENCHMARK(BM_SmallFilesSaveBare);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    files();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
