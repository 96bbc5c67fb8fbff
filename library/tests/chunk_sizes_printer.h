#pragma once

#include "library/src/comment_file.h"

#include <ostream>

namespace scrivlet::comment_file {

// Read and write piece sizes as the case names show them ("pieces of 3 to 7 bytes"); found by
// GoogleTest through argument-dependent lookup.
inline void PrintTo(const ChunkSizes &value, std::ostream *out)
{
    *out << "pieces of " << value.first << " to " << value.largest << " bytes";
}

} // namespace scrivlet::comment_file
