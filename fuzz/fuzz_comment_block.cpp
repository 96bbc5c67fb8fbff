// libFuzzer target: the library's format code and its chunked file operations against the plain
// whole-image reference. Any difference, crash, or write outside a result area aborts the run.
#include "reference_format.h"

#include "library/src/comment_block.h"
#include "library/src/comment_file.h"
#include "scrivlet.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <fuzzer/FuzzedDataProvider.h>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

namespace block = scrivlet::comment_block;
namespace file = scrivlet::comment_file;

namespace {

[[noreturn]] void fail(const char *what, std::string_view image)
{
    std::fprintf(stderr, "MISMATCH: %s (image of %zu bytes)\n", what, image.size());
    std::abort();
}

void check(bool ok, const char *what, std::string_view image)
{
    if (!ok)
        fail(what, image);
}

// One scratch file per fuzzing process, on tmpfs when there is one.
const std::string &scratchPath()
{
    static const std::string path = [] {
        const char *folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::atexit([] { std::remove(scratchPath().c_str()); });
        return std::string(folder) + "/scrivlet-fuzz-" + std::to_string(::getpid());
    }();
    return path;
}

void writeFile(std::string_view image)
{
    std::ofstream out(scratchPath(), std::ios::binary | std::ios::trunc);
    out.write(image.data(), static_cast<std::streamsize>(image.size()));
}

std::string readFile()
{
    std::ifstream in(scratchPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A reach that cuts into small images, so that the bound on a block's span gets exercised.
std::size_t reachOf(std::string_view image)
{
    return image.size() / 2 + 1;
}

void checkSpans(std::string_view image)
{
    const block::Bytes bytes(image.data(), image.size());
    check(block::keptBytes(bytes) == reference::kept(image), "keptBytes", image);
    check(block::endsWithEndMarker(bytes) == reference::hasEndMarker(image), "endsWithEndMarker", image);
    check(block::findLastStartMarker(bytes) == reference::lastIndexOf(image, block::kStartMarker),
          "findLastStartMarker", image);
    check(block::findFirstEndMarker(bytes) == reference::firstIndexOf(image, block::kEndMarker),
          "findFirstEndMarker", image);

    for (const std::size_t reach : {reference::kReach, reachOf(image)}) {
        const auto got = block::locateBlock(bytes, reach);
        const auto want = reference::block(image, reach);
        check(got.has_value() == want.has_value(), "locateBlock found", image);
        if (got) {
            check(got->start == want->start && got->textBegin == want->textBegin &&
                      got->textEnd == want->textEnd,
                  "locateBlock position", image);
        }
    }
}

// The delimiter search fed in two pieces, tail first, as the file code feeds chunks.
void checkSplitDelimiterSearch(std::string_view image, std::size_t split)
{
    const block::Bytes bytes(image.data(), image.size());
    const std::size_t cut = split % (image.size() + 1);
    int seen = 0;
    auto found = block::findNthLastByte(bytes.subspan(cut), block::kEraserDelimiter, 2, seen);
    if (!found) {
        found = block::findNthLastByte(bytes.first(cut), block::kEraserDelimiter, 2, seen);
    } else {
        *found += cut;
    }
    const std::string erased = reference::afterErase(image);
    const std::size_t expected = erased.size() == image.size() ? image.size() : erased.size();
    check(found.value_or(image.size()) == expected, "findNthLastByte split", image);
}

void checkFiles(std::string_view image, file::ChunkSizes chunks, std::size_t limit, int32_t capacity)
{
    const char *path = scratchPath().c_str();

    writeFile(image);
    std::string text;
    check(file::read(path, limit, text, chunks) == SCRIVLET_OK, "read status", image);
    check(text == reference::readText(image, limit, chunks.reach), "read text", image);

    // The export with the caller's capacity: an area of exactly that size (ASan guards its ends),
    // pre-filled so that any byte written behind the terminator shows.
    const std::size_t area = capacity > 0 ? static_cast<std::size_t>(capacity) : 0;
    auto result = std::make_unique<char[]>(area + 1);
    std::memset(result.get(), ' ', area + 1);
    check(ReadComments(result.get(), capacity, &path) == SCRIVLET_OK, "ReadComments status", image);
    if (area == 0) {
        check(result[0] == ' ', "ReadComments wrote into a zero capacity", image);
    } else {
        const std::string want = reference::readText(image, area - 1);
        check(std::memcmp(result.get(), want.data(), want.size()) == 0 && result[want.size()] == '\0',
              "ReadComments text", image);
        for (std::size_t i = want.size() + 1; i <= area; ++i)
            check(result[i] == ' ', "ReadComments wrote behind the terminator", image);
    }

    check(file::remove(path, chunks) == SCRIVLET_OK, "remove status", image);
    check(readFile() == reference::afterRemove(image, chunks.reach), "remove content", image);

    writeFile(image);
    check(file::erase(path, chunks) == SCRIVLET_OK, "erase status", image);
    check(readFile() == reference::afterErase(image), "erase content", image);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider provider(data, size);
    file::ChunkSizes chunks;
    chunks.first = provider.ConsumeIntegralInRange<std::size_t>(1, 64);
    chunks.largest = provider.ConsumeIntegralInRange<std::size_t>(chunks.first, 512);
    const std::size_t limit = provider.ConsumeIntegralInRange<std::size_t>(0, 300);
    const int32_t capacity = provider.ConsumeIntegralInRange<int32_t>(-2, 300);
    const std::size_t split = provider.ConsumeIntegral<uint16_t>();
    const bool shortReach = provider.ConsumeBool();
    const std::string image = provider.ConsumeRemainingBytesAsString();
    chunks.reach = shortReach ? reachOf(image) : reference::kReach;

    checkSpans(image);
    checkSplitDelimiterSearch(image, split);
    checkFiles(image, chunks, limit, capacity);
    return 0;
}
