#pragma once

#include "scrivlet.h"

#include <string>

namespace scrivlet {

/// The comment store library's exports, bound by name at their first use from the library files
/// that both programs look for (core's LibraryFiles). `scriv --help` and
/// `--version` thus start without loading it (and, linked with its C++ runtime inside, without any
/// library but the C library).
class LibraryBinding
{
public:
    using ReadFunction = int(SCRIVLET_CALL *)(char *, int32_t, const char *const *);
    using ReplaceFunction = int(SCRIVLET_CALL *)(const char *const *, const char *const *, int32_t, uint32_t);
    using RecoverFunction = int(SCRIVLET_CALL *)(ScrivletRecoveryReport, void *);
    using SettleFunction = int(SCRIVLET_CALL *)(const char *const *, uint32_t, ScrivletRecoveryReport,
                                                void *);

    ReadFunction read = nullptr;
    ReplaceFunction replace = nullptr;
    RecoverFunction recover = nullptr;
    SettleFunction settle = nullptr;

    /// The bound exports, or nothing with the reason in @p error (the library or an export is
    /// missing). Binds once; later calls give the same answer.
    static const LibraryBinding *get(std::string &error);
};

} // namespace scrivlet
