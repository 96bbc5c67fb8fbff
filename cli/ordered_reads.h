#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace scrivlet {

/// Reads the comments of many files with a small pool of threads and hands each result back on
/// the calling thread in list order, so that output keeps its order while the reads of files not
/// in the cache overlap. Only a bounded number of results waits ahead of the one handed back.
class LibraryBinding;

class OrderedReads
{
public:
    struct Result
    {
        int status = 0; ///< a library status
        std::string text;
    };

    /// Reads the comment of every path for which @p wanted is true and calls @p handle(index,
    /// result) for every index in order (for a path not wanted, with an empty result). @p threads
    /// of 0 or 1 reads on the calling thread alone. When @p handle returns false, nothing more is
    /// handed back and the readers stop after the file in hand.
    static void run(const LibraryBinding &library, const std::vector<std::string> &paths,
                    const std::vector<bool> &wanted, unsigned threads,
                    const std::function<bool(std::size_t, Result &)> &handle);
};

} // namespace scrivlet
