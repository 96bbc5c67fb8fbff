#pragma once

#include <string>
#include <vector>

/// One file's comment through the library's exports (the same calls the program makes), with the
/// checks a command-line tool owes its users first: a missing path is never created and a FIFO or
/// device is never opened. Every function returns a library status (SCRIVLET_OK or an error).
class CommentFile
{
public:
    explicit CommentFile(std::string path);

    /// The comment text; empty for a file without a block.
    int read(std::string &text);
    /// Replaces the comment as the program's save does: the old block is cut off, then
    /// @p blockText (markers included) is appended. Nothing is cut when the block is too long.
    int replace(const std::string &blockText);
    /// Cuts the comment block off.
    int remove();

    const std::string &path() const { return m_path; }

private:
    int checkRegularFile() const;

    std::string m_path;
    static std::vector<char> s_readArea;
};
