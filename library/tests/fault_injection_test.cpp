// A write, cut or reservation that fails anywhere in a replace: the call reports it and the file
// keeps its exact prior bytes and times. Every position of the failure is tried.
#include "library/src/comment_file.h"
#include "library/src/file_access.h"
#include "library/src/recovery.h"

#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <ostream>
#include <string>
#include <tuple>

namespace cf = scrivlet::comment_file;
using scrivlet::FileChange;

namespace {

// Fails the failAt-th change (counting from 1), and with `sticky` every one after it. A failing
// write first lets half of its bytes through when `partial`, as a disk that fills up does.
struct Faults
{
    int failAt = 0;
    int error = 0;
    bool partial = false;
    bool sticky = false;
    int count = 0;
};

int failNth(FileChange change, std::size_t &bytes, void *context)
{
    Faults &faults = *static_cast<Faults *>(context);
    ++faults.count;
    if (faults.failAt == 0 || faults.count < faults.failAt ||
        (faults.count > faults.failAt && !faults.sticky))
        return 0;
    bytes = change == FileChange::Write && faults.partial ? bytes / 2 : 0;
    return faults.error;
}

// Removes the hook however the test ends.
class HookGuard
{
public:
    explicit HookGuard(Faults &faults) { scrivlet::setChangeHook(&failNth, &faults); }
    ~HookGuard() { scrivlet::setChangeHook(nullptr, nullptr); }
    HookGuard(const HookGuard &) = delete;
    HookGuard &operator=(const HookGuard &) = delete;
};

struct Scenario
{
    const char *name;
    std::string before;
    std::string comment;
    std::uint32_t flags;
};

// Names the case in failure messages and ctest listings, not its bytes.
void PrintTo(const Scenario &value, std::ostream *out)
{
    *out << value.name;
}

struct Failure
{
    const char *name;
    int error;
    bool partial;
    int status;
};

void PrintTo(const Failure &value, std::ostream *out)
{
    *out << value.name;
}

class FailingChange : public ::testing::TestWithParam<std::tuple<Scenario, Failure>>
{
protected:
    int changesOfACleanRun(const Scenario &s)
    {
        writeFile(m_path, s.before);
        Faults counting;
        HookGuard guard(counting);
        EXPECT_EQ(cf::replace(m_path.c_str(), s.comment, s.flags), SCRIVLET_OK);
        return counting.count;
    }

    TempDir m_dir;
    std::string m_path = m_dir.file("f");
};

TEST_P(FailingChange, EveryFailurePutsThePriorBytesBack)
{
    const auto &[s, f] = GetParam();
    const int total = changesOfACleanRun(s);
    ASSERT_GE(total, 1);
    for (int n = 1; n <= total; ++n) {
        SCOPED_TRACE(::testing::Message() << "change " << n << " of " << total << " fails");
        writeFile(m_path, s.before);
        ageFile(m_path);
        Faults faults{n, f.error, f.partial};
        {
            HookGuard guard(faults);
            EXPECT_EQ(cf::replace(m_path.c_str(), s.comment, s.flags), f.status);
        }
        EXPECT_EQ(readFile(m_path), s.before);
        EXPECT_EQ(modificationTimeNs(m_path), 1000000000LL * 1000000000LL);
    }
}

// When the disk keeps failing, even putting the prior bytes back fails: the undo record stays, and
// the next recovery brings the file to its prior bytes, or to the new ones when the change had
// been made in full before the failure.
TEST_P(FailingChange, AFailureThatLastsIsSettledByTheNextRecovery)
{
    const auto &[s, f] = GetParam();
    const int total = changesOfACleanRun(s);
    const std::string after = readFile(m_path);
    for (int n = 1; n <= total; ++n) {
        SCOPED_TRACE(::testing::Message() << "changes from " << n << " of " << total << " on fail");
        writeFile(m_path, s.before);
        Faults faults{n, f.error, f.partial, true};
        {
            HookGuard guard(faults);
            EXPECT_EQ(cf::replace(m_path.c_str(), s.comment, s.flags), f.status);
        }
        EXPECT_EQ(cf::recover({}), SCRIVLET_OK);
        const std::string settled = readFile(m_path);
        EXPECT_TRUE(settled == s.before || settled == after) << settled;
    }
}

const std::string kOld(3000, 'o');
const std::string kNew(9000, 'n');

const Scenario kScenarios[] = {
    {"LongerComment", "own bytes#.START.#short#.END.# ", kNew, 0},
    {"ShorterComment", "own bytes#.START.#" + kOld + "#.END.# ", "s", 0},
    {"SameLength", "own#.START.#aaaa#.END.# ", "bbbb", 0},
    {"FirstComment", "own bytes without a block", "first", 0},
    {"Remove", "own#.START.#" + kOld + "#.END.# ", "", SCRIVLET_REPLACE_REMOVE},
    {"SyncAndKeepTimes", "own#.START.#old#.END.# ", kNew,
     SCRIVLET_REPLACE_SYNC | SCRIVLET_REPLACE_KEEP_TIMES},
};

const Failure kFailures[] = {
    {"DiskFull", ENOSPC, false, SCRIVLET_E_NOSPACE},
    {"DiskFullHalfway", ENOSPC, true, SCRIVLET_E_NOSPACE},
    {"FileSizeLimitHalfway", EFBIG, true, SCRIVLET_E_NOSPACE},
    {"IoError", EIO, false, SCRIVLET_E_IO},
};

INSTANTIATE_TEST_SUITE_P(Table, FailingChange,
                         ::testing::Combine(::testing::ValuesIn(kScenarios), ::testing::ValuesIn(kFailures)),
                         [](const auto &testInfo) {
                             return std::string(std::get<0>(testInfo.param).name) + "_" +
                                    std::get<1>(testInfo.param).name;
                         });

class FailingAppend : public ::testing::TestWithParam<Failure>
{
protected:
    TempDir m_dir;
};

// The historic append keeps its bytes, but a failed one is cut off again.
TEST_P(FailingAppend, WriteCommentsCutsAFailedAppendOff)
{
    const Failure &f = GetParam();
    const std::string path = m_dir.file("f");
    const std::string before = "own#.START.#one#.END.# ";
    for (int n = 1; n <= 2; ++n) {
        SCOPED_TRACE(n);
        writeFile(path, before);
        Faults faults{n, f.error, f.partial};
        HookGuard guard(faults);
        EXPECT_EQ(cf::write(path.c_str(), "#.START.#" + kNew + "#.END.# "), f.status);
        EXPECT_EQ(readFile(path), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, FailingAppend, ::testing::ValuesIn(kFailures),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
