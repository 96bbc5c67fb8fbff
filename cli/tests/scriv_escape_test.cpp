// Control bytes in names and comments cannot forge lines or drive a terminal: listings and
// diagnostics always escape them C-style, `show` only on a terminal (piped it stays exact).
#include "scriv_runner.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <termios.h>
#include <unistd.h>

using namespace scrivlet;

namespace {

// A pseudo-terminal in raw mode (no line-feed translation): scriv writes to its slave side, the
// test reads what arrived from the master side.
class PseudoTerminal
{
public:
    PseudoTerminal()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        m_slavePath = ::ptsname(m_master);
        // Held open so that nothing written is lost when scriv closes its side.
        m_slave = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY);
        struct termios mode
        {
        };
        if (m_slave >= 0 && ::tcgetattr(m_slave, &mode) == 0) {
            ::cfmakeraw(&mode);
            ::tcsetattr(m_slave, TCSANOW, &mode);
        }
        ::fcntl(m_master, F_SETFL, O_NONBLOCK);
    }
    ~PseudoTerminal()
    {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
    }
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool ready() const { return m_slave >= 0; }
    const std::string &path() const { return m_slavePath; }
    std::string take()
    {
        std::string got;
        char buffer[4096];
        ssize_t count = 0;
        while ((count = ::read(m_master, buffer, sizeof buffer)) > 0)
            got.append(buffer, static_cast<std::size_t>(count));
        return got;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
};

// A comment as another program might have written it: a tab, an escape sequence, a bell, a
// backslash, a carriage return in the middle of the first line, and a second line.
const std::string kComment = "t\tab \x1b]0;title\x07 back\\slash\rover\nsecond";
const std::string kCommentEscaped = "t\\tab \\x1B]0;title\\x07 back\\\\slash";

TEST(EscapedOutput, ListingsAndDiagnosticsEscapeShowOnlyOnATerminal)
{
    TempDir dir;
    const std::string name = "forged\nentry: x\x1b[2J";
    const std::string path = dir.write(name, "data#.START.#" + kComment + "#.END.# ");
    const std::string pathEscaped = dir.path() + "/forged\\nentry: x\\x1B[2J";
    const std::string missing = dir.path() + "/gone\r\tname";
    const std::string missingEscaped = dir.path() + "/gone\\r\\tname";

    PseudoTerminal terminal;
    ASSERT_TRUE(terminal.ready()) << "no pseudo-terminal";
    ScrivRunner::Options onTerminal;
    onTerminal.output = terminal.path();

    const struct
    {
        const char *what;
        std::vector<std::string> arguments;
        std::string piped;    ///< standard output into a file
        std::string terminal; ///< standard output on a terminal
    } cases[] = {
        {"ls",
         {"ls", path},
         pathEscaped + ": " + kCommentEscaped + "\n",
         pathEscaped + ": " + kCommentEscaped + "\n"},
        {"show", {"show", path}, kComment + "\n", kCommentEscaped + "\\rover\nsecond\n"},
        {"show with names",
         {"show", path, path},
         path + ": " + kComment.substr(0, kComment.find('\n')) + "\n" + path + ": second\n" + path + ": " +
             kComment.substr(0, kComment.find('\n')) + "\n" + path + ": second\n",
         pathEscaped + ": " + kCommentEscaped + "\\rover\n" + pathEscaped + ": second\n" + pathEscaped +
             ": " + kCommentEscaped + "\\rover\n" + pathEscaped + ": second\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const auto piped = ScrivRunner::run(c.arguments);
        EXPECT_EQ(piped.exitCode, 0) << piped.err;
        EXPECT_EQ(piped.out, c.piped);
        const auto shown = ScrivRunner::run(c.arguments, onTerminal);
        EXPECT_EQ(shown.exitCode, 0) << shown.err;
        EXPECT_EQ(terminal.take(), c.terminal);
    }

    // Diagnostics (standard error) escape whether or not standard output is a terminal.
    for (const bool tty : {false, true}) {
        const auto failed =
            tty ? ScrivRunner::run({"show", missing}, onTerminal) : ScrivRunner::run({"show", missing});
        EXPECT_EQ(failed.exitCode, 1);
        EXPECT_EQ(failed.err, "scriv: " + missingEscaped + ": no such file\n");
    }
}

} // namespace
