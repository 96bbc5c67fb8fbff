// Reading the input of `set`: whole text files, streams read only as far as needed.
#include "cli/comment_source.h"
#include "tests/support/temp_dir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace scrivlet;

namespace {

using namespace std::string_literals;

constexpr std::size_t kMax = 999983;

// A pipe fed by a thread, as standard input is fed by another program.
class Feeder
{
public:
    Feeder(std::string bytes, bool closeAfter) : m_bytes(std::move(bytes))
    {
        // Reading may stop early; the feeder's next write must fail, not kill the test.
        ::signal(SIGPIPE, SIG_IGN);
        if (::pipe(m_fds) != 0)
            throw std::runtime_error("pipe");
        m_thread = std::thread([this, closeAfter] {
            std::size_t at = 0;
            while (at < m_bytes.size()) {
                const ssize_t written = ::write(m_fds[1], m_bytes.data() + at, m_bytes.size() - at);
                if (written <= 0)
                    break;
                at += static_cast<std::size_t>(written);
            }
            if (closeAfter)
                closeWriteEnd();
        });
    }
    ~Feeder()
    {
        ::close(m_fds[0]);
        m_thread.join();
        closeWriteEnd();
    }
    int fd() const { return m_fds[0]; }

private:
    void closeWriteEnd()
    {
        if (m_fds[1] >= 0)
            ::close(m_fds[1]);
        m_fds[1] = -1;
    }
    std::string m_bytes;
    int m_fds[2] = {-1, -1};
    std::thread m_thread;
};

bool never()
{
    return false;
}

struct StreamCase
{
    const char *name;
    std::string bytes;
    bool utf8;
    CommentSource::Status status;
};

// Failures name the case instead of dumping its (large) bytes.
void PrintTo(const StreamCase &c, std::ostream *os)
{
    *os << c.name;
}

class FromStream : public testing::TestWithParam<StreamCase>
{
};

TEST_P(FromStream, ReadsToTheEndOrStopsOnceTooMuchWouldBeKept)
{
    Feeder feeder(GetParam().bytes, true);
    const CommentSource::Input input = CommentSource::fromStream(feeder.fd(), GetParam().utf8, never);
    EXPECT_EQ(input.status, GetParam().status);
    if (GetParam().status == CommentSource::Status::Read) {
        EXPECT_EQ(input.bytes, GetParam().bytes);
    } else {
        EXPECT_LT(input.bytes.size(), GetParam().bytes.size()) << "read to the end";
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(CommentSource, FromStream, testing::Values(
    StreamCase{"Empty", "", false, CommentSource::Status::Read},
    StreamCase{"BytesAsGiven", "a\r\n\0b\n"s, false, CommentSource::Status::Read},
    StreamCase{"LargestWithCrLf", std::string(kMax, 'x') + "\r\n", false, CommentSource::Status::Read},
    StreamCase{"ManyDroppedBytesAreReadWhole", std::string(3 * kMax, '\t') + "end", false,
               CommentSource::Status::Read},
    StreamCase{"FarTooMuchKept", std::string(3 * kMax, 'x'), false, CommentSource::Status::TooLong},
    StreamCase{"HighBytesCountWithUtf8", std::string(3 * kMax, '\xe9'), true, CommentSource::Status::TooLong},
    StreamCase{"HighBytesAreDroppedWithoutUtf8", std::string(2 * kMax, '\xe9'), false,
               CommentSource::Status::Read}),
    [](const testing::TestParamInfo<StreamCase> &param) { return std::string(param.param.name); });
// clang-format on

TEST(CommentSource, AStreamThatNeverEndsIsNotWaitedFor)
{
    // The write end stays open: reading to the end would block for ever.
    Feeder feeder(std::string(kMax + 100, 'y'), false);
    const CommentSource::Input input = CommentSource::fromStream(feeder.fd(), false, never);
    EXPECT_EQ(input.status, CommentSource::Status::TooLong);
}

TEST(CommentSource, ReadsATextFileWhole)
{
    TempDir dir;
    const std::string bytes = "notes\r\n#.START.#old#.END.# "s + '\0' + "\xff";
    EXPECT_EQ(CommentSource::fromFile(dir.write("t", bytes)).bytes, bytes);
}

TEST(CommentSource, RefusesWhatIsNotARegularFile)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    const auto pipe = CommentSource::fromFile(dir.file("pipe"));
    EXPECT_EQ(pipe.status, CommentSource::Status::Failed);
    EXPECT_EQ(pipe.reason, "not a regular file");
    const auto folder = CommentSource::fromFile(dir.path());
    EXPECT_EQ(folder.status, CommentSource::Status::Failed);
    const auto missing = CommentSource::fromFile(dir.file("missing"));
    EXPECT_EQ(missing.status, CommentSource::Status::Failed);
    EXPECT_EQ(missing.reason, "No such file or directory");
}

} // namespace
