// Every library test keeps its undo journals in a folder of its own, away from the user's; the
// shared library loaded by the export tests finds it through the environment.
#include "own_journal_folder.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

class JournalEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_dir = std::make_unique<TempDir>();
        setJournalHome(m_dir->path());
    }
    void TearDown() override
    {
        setJournalHome("");
        leaveJournalFolder();
        m_dir.reset();
    }

private:
    std::unique_ptr<TempDir> m_dir;
};

const auto *const s_environment = ::testing::AddGlobalTestEnvironment(new JournalEnvironment);

} // namespace
