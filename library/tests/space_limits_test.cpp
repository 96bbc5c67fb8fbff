// Real limits instead of injected failures: a file-size limit (RLIMIT_FSIZE, which any user may
// set) and a small memory file system that fills up. Each runs in a forked child, which reports
// what it found through a pipe; the call must fail and the file keep its bytes.
#include "library/src/comment_file.h"

#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <ostream>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace cf = scrivlet::comment_file;

namespace {

constexpr int kCannotMount = 77;

std::string block(const std::string &comment)
{
    return "#.START.#" + comment + "#.END.# ";
}

// Runs @p check in a forked child; whatever it returns (empty: all well) comes back, or the
// reason the child ended otherwise. @p exitCode receives the child's exit code.
std::string inChild(const std::function<std::string()> &check, int &exitCode)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        const std::string found = check();
        const ssize_t written = ::write(pipe[1], found.data(), found.size());
        ::_exit(written == static_cast<ssize_t>(found.size()) ? 0 : 3);
    }
    ::close(pipe[1]);
    std::string found;
    char buffer[512];
    ssize_t got = 0;
    while ((got = ::read(pipe[0], buffer, sizeof buffer)) > 0)
        found.append(buffer, static_cast<std::size_t>(got));
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (exitCode < 0)
        return "the child died of signal " + std::to_string(WTERMSIG(status));
    return found;
}

// "" when the call gave @p wanted and left @p path holding @p before, else what went wrong.
std::string expectRefused(int status, int wanted, const std::string &path, const std::string &before)
{
    std::string problems;
    if (status != wanted)
        problems += std::string("status ") + scrivlet_status_text(status) + ", wanted " +
                    scrivlet_status_text(wanted) + ". ";
    if (readFile(path) != before)
        problems += "the file changed (" + std::to_string(readFile(path).size()) + " bytes, was " +
                    std::to_string(before.size()) + "). ";
    return problems;
}

struct SizeLimitCase
{
    const char *name;
    std::string own;
    std::string comment;
    bool warmJournal; // a journal already grown by an earlier change, so only the file meets the limit
};

void PrintTo(const SizeLimitCase &value, std::ostream *out)
{
    *out << value.name;
}

class FileSizeLimit : public ::testing::TestWithParam<SizeLimitCase>
{
protected:
    TempDir m_dir;
};

TEST_P(FileSizeLimit, RefusesTheChangeAndKeepsTheFile)
{
    const SizeLimitCase &c = GetParam();
    const std::string path = m_dir.file("f");
    const std::string before = c.own + block("old");
    writeFile(path, before);
    const std::string other = m_dir.file("warm");
    writeFile(other, "");
    int exitCode = 0;
    const std::string problems = inChild(
        [&] {
            if (c.warmJournal && cf::replace(other.c_str(), c.comment, 0) != SCRIVLET_OK)
                return std::string("the warming change failed");
            // SIGXFSZ keeps its default action, which ends the process: the library checks the
            // limit before it writes and holds the signal off while it does.
            ::signal(SIGXFSZ, SIG_DFL);
            const rlim_t limit = before.size() + c.comment.size() / 2;
            const struct rlimit fileSize = {limit, limit};
            if (::setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
                return std::string("setrlimit: ") + std::strerror(errno);
            std::string found =
                expectRefused(cf::replace(path.c_str(), c.comment, 0), SCRIVLET_E_NOSPACE, path, before);
            found +=
                expectRefused(cf::write(path.c_str(), block(c.comment)), SCRIVLET_E_NOSPACE, path, before);
            return found;
        },
        exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(problems, "");
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(cf::replace(path.c_str(), c.comment, 0), SCRIVLET_OK) << "without the limit it fits";
}

INSTANTIATE_TEST_SUITE_P(Table, FileSizeLimit,
                         ::testing::Values(SizeLimitCase{"TheJournalMeetsTheLimitFirst",
                                                         std::string(1000, 'x'), std::string(60000, 'c'),
                                                         false},
                                           SizeLimitCase{"TheFileMeetsTheLimit", std::string(200000, 'x'),
                                                         std::string(60000, 'c'), true}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

// A memory file system of 64 KiB in a mount namespace of the child's own. Mounting needs root or
// a user namespace; where neither is allowed the test is skipped.
void writeProcFile(const std::string &path, const std::string &text)
{
    const int fd = ::open(path.c_str(), O_WRONLY);
    if (fd >= 0) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        static_cast<void>(written);
        ::close(fd);
    }
}

bool mountSmallFileSystem(const std::string &folder)
{
    const uid_t user = ::getuid();
    const gid_t group = ::getgid();
    if (::unshare(CLONE_NEWNS) != 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return false;
        // Files made in the new namespace need an owner it knows.
        writeProcFile("/proc/self/setgroups", "deny");
        writeProcFile("/proc/self/uid_map", "0 " + std::to_string(user) + " 1");
        writeProcFile("/proc/self/gid_map", "0 " + std::to_string(group) + " 1");
    }
    ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    return ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
}

struct FullDiskCase
{
    const char *name;
    bool journalOnTheFullDisk;
    std::string comment;
    int status;
};

void PrintTo(const FullDiskCase &value, std::ostream *out)
{
    *out << value.name;
}

class FullDisk : public ::testing::TestWithParam<FullDiskCase>
{
protected:
    TempDir m_dir;
};

TEST_P(FullDisk, ALongerCommentIsRefusedAShorterOneFits)
{
    const FullDiskCase &c = GetParam();
    const std::string mountPoint = m_dir.file("small");
    ASSERT_EQ(::mkdir(mountPoint.c_str(), 0700), 0);
    int exitCode = 0;
    const std::string problems = inChild(
        [&]() -> std::string {
            if (!mountSmallFileSystem(mountPoint))
                ::_exit(kCannotMount);
            if (c.journalOnTheFullDisk)
                ::setenv("XDG_STATE_HOME", mountPoint.c_str(), 1);
            const std::string path = mountPoint + "/doc";
            const std::string before = std::string(20000, 'x') + block(std::string(4000, 'o'));
            writeFile(path, before);
            // Fill what is left with another file, a page at a time, until the disk says no more.
            const int filler = ::open((mountPoint + "/filler").c_str(), O_WRONLY | O_CREAT, 0600);
            const std::string page(4096, 'f');
            while (::write(filler, page.data(), page.size()) > 0) {
            }
            ::close(filler);
            const int status = cf::replace(path.c_str(), c.comment, 0);
            if (c.status != SCRIVLET_OK)
                return expectRefused(status, c.status, path, before);
            if (status != SCRIVLET_OK)
                return std::string("the shorter comment failed: ") + scrivlet_status_text(status);
            return readFile(path) == std::string(20000, 'x') + block(c.comment) ? "" : "wrong bytes";
        },
        exitCode);
    if (exitCode == kCannotMount)
        GTEST_SKIP()
            << "mounting a small memory file system is not allowed here (no root, no user namespace)";
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(problems, "");
}

INSTANTIATE_TEST_SUITE_P(Table, FullDisk,
                         ::testing::Values(FullDiskCase{"LongerComment", false, std::string(30000, 'n'),
                                                        SCRIVLET_E_NOSPACE},
                                           FullDiskCase{"LongerCommentJournalToo", true,
                                                        std::string(30000, 'n'), SCRIVLET_E_NOSPACE},
                                           FullDiskCase{"ShorterComment", false, "short", SCRIVLET_OK}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
