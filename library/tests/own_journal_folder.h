#pragma once

#include "temp_dir.h"

#include <cstdlib>
#include <string>

// Points the library's journals (of this process and of the programs it starts) at a folder of
// the test's own, so that one test's leftovers cannot answer for another's.
class OwnJournalFolder
{
public:
    explicit OwnJournalFolder(const TempDir &dir) { ::setenv("XDG_STATE_HOME", dir.path().c_str(), 1); }
    ~OwnJournalFolder() { ::setenv("XDG_STATE_HOME", m_saved.c_str(), 1); }
    OwnJournalFolder(const OwnJournalFolder &) = delete;
    OwnJournalFolder &operator=(const OwnJournalFolder &) = delete;

private:
    std::string m_saved = std::getenv("XDG_STATE_HOME") != nullptr ? std::getenv("XDG_STATE_HOME") : "";
};
