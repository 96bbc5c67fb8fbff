#pragma once

#include <cstdint>

namespace scrivlet {

class FileAccess;
struct TailChange;

/// Where the undo record of a tail change goes before the file is touched (the journal, in the
/// library). Each method returns a SCRIVLET_* status.
class UndoRecorder
{
public:
    virtual ~UndoRecorder() = default;
    /// Records @p change, about to be made to @p file at @p path; @p record identifies the record.
    virtual int begin(const char *path, const FileAccess &file, const TailChange &change,
                      std::uint64_t &record) = 0;
    /// Marks the record done: the file holds the change, or its prior bytes again.
    virtual int finish(std::uint64_t record) = 0;
    /// Marks the record unfinished again (after a finish() that failed, whose mark may have landed
    /// all the same), before the change is undone.
    virtual int reopen(std::uint64_t record) = 0;
};

} // namespace scrivlet
