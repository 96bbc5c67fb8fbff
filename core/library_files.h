#pragma once

#include <string>
#include <vector>

namespace scrivlet::core {

/// Where both programs look for the comment store library, in this order: beside the program
/// (as Windows does), then by its installed name, which the loader finds in the system's library
/// folders (the programs carry no run path). Only the names: each program loads it its own way,
/// and lazily, at the first call that needs it.
class LibraryFiles
{
public:
    /// The candidates for a program in @p programFolder (empty when unknown: the installed name
    /// only).
    static std::vector<std::string> candidates(const std::string &programFolder);
};

} // namespace scrivlet::core
