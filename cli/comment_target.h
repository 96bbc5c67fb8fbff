#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace scrivlet {

/// One file whose comment scriv reads, replaces or removes, through the library's exports (the
/// same calls the program makes, bound by LibraryBinding). Every function returns a library status
/// (SCRIVLET_OK or an error). A missing path is never created and a FIFO or device is never opened: the
/// library refuses both.
class LibraryBinding;

class CommentTarget
{
public:
    CommentTarget(const LibraryBinding &library, std::string path)
        : m_library(library), m_path(std::move(path))
    {}

    /// The comment text; empty for a file without a block. @p area is the caller's result area
    /// (reused from file to file), at least the largest comment plus its zero byte.
    int read(std::string &text, std::string &area) const;
    /// Replaces the comment by @p text (without markers) as one change; SCRIVLET_REPLACE_* flags.
    int replace(const std::string &text, std::uint32_t flags) const;
    /// Removes the comment block as one change; SCRIVLET_REPLACE_* flags.
    int remove(std::uint32_t flags) const;

    /// The size of the result area read() needs.
    static std::size_t readAreaSize();

private:
    const LibraryBinding &m_library;
    std::string m_path;
};

} // namespace scrivlet
