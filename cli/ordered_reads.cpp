#include "cli/ordered_reads.h"

#include "cli/comment_target.h"

#include <atomic>
#include <memory>
#include <thread>

namespace scrivlet {

namespace {

// Results that may wait ahead of the one handed back; bounds memory with large comments.
constexpr std::size_t kWindow = 256;

struct Slot
{
    std::atomic<std::size_t> ready{0}; // index + 1 of the result it holds
    OrderedReads::Result result;
};

struct Shared
{
    const LibraryBinding &library;
    const std::vector<std::string> &paths;
    const std::vector<bool> &wanted;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> consumed{0};
    std::atomic<bool> stop{false};
    std::unique_ptr<Slot[]> slots = std::make_unique<Slot[]>(kWindow);
};

void readOne(const Shared &shared, std::size_t index, OrderedReads::Result &result, std::string &area)
{
    result.status = 0;
    result.text.clear();
    if (shared.wanted[index])
        result.status = CommentTarget(shared.library, shared.paths[index]).read(result.text, area);
}

void reader(Shared &shared)
{
    std::string area;
    for (;;) {
        const std::size_t index = shared.next.fetch_add(1);
        if (index >= shared.paths.size())
            return;
        // Wait until the slot's previous result has been handed back.
        for (std::size_t done = shared.consumed.load(); index >= done + kWindow;
             done = shared.consumed.load()) {
            if (shared.stop.load())
                return;
            shared.consumed.wait(done);
        }
        if (shared.stop.load())
            return;
        Slot &slot = shared.slots[index % kWindow];
        readOne(shared, index, slot.result, area);
        slot.ready.store(index + 1, std::memory_order_release);
        slot.ready.notify_one();
    }
}

} // namespace

void OrderedReads::run(const LibraryBinding &library, const std::vector<std::string> &paths,
                       const std::vector<bool> &wanted, unsigned threads,
                       const std::function<bool(std::size_t, Result &)> &handle)
{
    if (threads <= 1 || paths.size() < 2) {
        std::string area;
        Result result;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            result.status = 0;
            result.text.clear();
            if (wanted[i])
                result.status = CommentTarget(library, paths[i]).read(result.text, area);
            if (!handle(i, result))
                return;
        }
        return;
    }

    Shared shared{library, paths, wanted};
    std::vector<std::thread> pool;
    pool.reserve(threads);
    for (unsigned i = 0; i < threads; ++i)
        pool.emplace_back(reader, std::ref(shared));
    for (std::size_t i = 0; i < paths.size(); ++i) {
        Slot &slot = shared.slots[i % kWindow];
        for (std::size_t seen = slot.ready.load(std::memory_order_acquire); seen != i + 1;
             seen = slot.ready.load(std::memory_order_acquire))
            slot.ready.wait(seen);
        const bool goOn = handle(i, slot.result);
        shared.consumed.store(i + 1);
        shared.consumed.notify_all();
        if (!goOn) {
            shared.stop.store(true);
            shared.consumed.store(paths.size() + kWindow);
            shared.consumed.notify_all();
            break;
        }
    }
    for (std::thread &thread : pool)
        thread.join();
}

} // namespace scrivlet
