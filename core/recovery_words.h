#pragma once

#include <string>

namespace scrivlet::core {

/// What both programs say of one outcome that a recovery of interrupted changes reports
/// (RecoverComments, SettleComments): what happened to the file and, when the user must act,
/// what to do. The subject (a file, a damaged journal, the journal folder) is named by the caller.
class RecoveryWords
{
public:
    /// The message for @p outcome reported with @p path.
    static std::string of(const std::string &path, int outcome);
    /// Whether the outcome asks for the user: a record kept, a damaged journal, an unsafe folder.
    /// Those that merely say what was put right need no word at the start of another command.
    static bool needsAttention(int outcome);
    /// Whether the outcome is worth a word when it comes unasked (at a program's start).
    static bool isNews(int outcome);
};

} // namespace scrivlet::core
