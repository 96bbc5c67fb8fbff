#include "library/src/message_box.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace scrivlet::message_box {

int show(const char *text, const char *title)
{
    return MessageBoxA(nullptr, text, title, MB_OK | MB_ICONINFORMATION) == IDOK ? 1 : 0;
}

} // namespace scrivlet::message_box

#else

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace scrivlet::message_box {

namespace {

bool hasDesktop()
{
    const char *x11 = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

// The full path of an executable program found on the PATH, or empty.
std::string findOnPath(std::string_view program)
{
    const char *path = std::getenv("PATH");
    if (path == nullptr)
        return {};
    std::string_view rest(path);
    while (true) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        if (!folder.empty()) {
            std::string candidate(folder);
            candidate += '/';
            candidate += program;
            if (::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        if (colon == std::string_view::npos)
            return {};
        rest.remove_prefix(colon + 1);
    }
}

// The arguments for one dialog program. Text and title travel as single arguments, never through a
// shell, so nothing in them is interpreted.
std::vector<std::string> argumentsFor(std::string_view program, const std::string &text,
                                      const std::string &title, const std::string &textFile)
{
    if (program == "zenity")
        return {"zenity", "--info", "--no-markup", "--title", title, "--text", text};
    if (program == "kdialog")
        return {"kdialog", "--title", title, "--msgbox", text};
    // xmessage would read a text beginning with "-" as an option: it reads the text from a file.
    return {"xmessage", "-title", title, "-buttons", "OK:0", "-center", "-file", textFile};
}

// A temporary file holding the text, removed when the object goes.
class TextFile
{
public:
    explicit TextFile(const std::string &text)
    {
        const char *folder = std::getenv("TMPDIR");
        m_path =
            std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/scrivlet-message-XXXXXX";
        const int fd = ::mkstemp(m_path.data());
        if (fd < 0) {
            m_path.clear();
            return;
        }
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                break;
            done += static_cast<std::size_t>(put);
        }
        ::close(fd);
    }
    ~TextFile()
    {
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    TextFile(const TextFile &) = delete;
    TextFile &operator=(const TextFile &) = delete;
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

int run(const std::string &executable, std::vector<std::string> arguments)
{
    std::vector<char *> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, executable.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return 0;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return 0;
    }
    // 0 is OK; zenity gives 1 when the box is closed through its window frame, which a message box
    // with one button also counts as OK. Anything else means the box could not be shown.
    if (WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 1))
        return 1;
    return 0;
}

} // namespace

int show(const char *text, const char *title)
{
    if (!hasDesktop())
        return 0;
    for (const std::string_view program : {"zenity", "kdialog", "xmessage"}) {
        const std::string executable = findOnPath(program);
        if (executable.empty())
            continue;
        const std::string message(text != nullptr ? text : "");
        std::optional<TextFile> textFile;
        if (program == "xmessage") {
            textFile.emplace(message);
            if (textFile->path().empty())
                return 0;
        }
        return run(executable,
                   argumentsFor(program, message, title, textFile ? textFile->path() : std::string()));
    }
    return 0;
}

} // namespace scrivlet::message_box

#endif
