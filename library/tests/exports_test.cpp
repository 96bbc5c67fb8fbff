// The shared library as the program meets it: loaded at run time, exports found by name.
#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#include <sys/stat.h>
#endif

using namespace std::string_literals;

namespace {

// The callers' view of the exports: on 32-bit Windows the callee removes the arguments.
using WriteFn = int(SCRIVLET_CALL *)(const char *const *, int32_t, const char *const *);
using ReadFn = int(SCRIVLET_CALL *)(char *, int32_t, const char *const *);
using PathFn = int(SCRIVLET_CALL *)(const char *const *);
using ReplaceFn = int(SCRIVLET_CALL *)(const char *const *, const char *const *, int32_t, uint32_t);
using InStrRevFn = int32_t(SCRIVLET_CALL *)(const char *, int16_t);
using DisplayFn = int32_t(SCRIVLET_CALL *)(const char *);

const std::set<std::string> kExportNames = {"DelComments",    "DisplayStringByVal", "InStrRev",
                                            "ReadComments",   "RecoverComments",    "ReplaceComments",
                                            "SettleComments", "WriteComments",      "eraser"};

#ifdef _WIN32
using LibraryHandle = HMODULE;
#else
using LibraryHandle = void *;
#endif

class Exports : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
#ifdef _WIN32
        // The bare name, as callers bind it: the system searches the program's own folder first.
        s_handle = ::LoadLibraryA("Scrivlet.dll");
        ASSERT_NE(s_handle, nullptr) << "LoadLibraryA failed with error " << ::GetLastError();
#else
        s_handle = ::dlopen(SCRIVLET_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(s_handle, nullptr) << ::dlerror();
#endif
    }

    template <typename Function> static Function find(const char *name)
    {
#ifdef _WIN32
        // Through the one function pointer type that converts to any other without a warning.
        const auto symbol = reinterpret_cast<void (*)()>(::GetProcAddress(s_handle, name));
        EXPECT_NE(symbol, nullptr) << name << ": error " << ::GetLastError();
#else
        void *symbol = ::dlsym(s_handle, name);
        EXPECT_NE(symbol, nullptr) << name << ": " << ::dlerror();
#endif
        return reinterpret_cast<Function>(symbol);
    }

    int write(const std::string &text, int32_t length, const std::string &path)
    {
        const char *t = text.c_str();
        const char *p = path.c_str();
        return find<WriteFn>("WriteComments")(&t, length, &p);
    }
    int write(const std::string &text, const std::string &path)
    {
        return write(text, static_cast<int32_t>(text.size()), path);
    }
    int remove(const std::string &path)
    {
        const char *p = path.c_str();
        return find<PathFn>("DelComments")(&p);
    }

    static LibraryHandle s_handle;
    TempDir m_dir;
};

LibraryHandle Exports::s_handle = nullptr;

#ifdef _WIN32

// The names in the export table of the loaded image, read as the loader reads them.
std::set<std::string> exportedNames(HMODULE module, DWORD &functionCount)
{
    const auto *base = reinterpret_cast<const unsigned char *>(module);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *headers = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &entry = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (entry.VirtualAddress == 0) {
        functionCount = 0;
        return {};
    }
    const auto *table = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(base + entry.VirtualAddress);
    const auto *names = reinterpret_cast<const DWORD *>(base + table->AddressOfNames);
    std::set<std::string> result;
    for (DWORD i = 0; i < table->NumberOfNames; ++i)
        result.insert(reinterpret_cast<const char *>(base + names[i]));
    functionCount = table->NumberOfFunctions;
    return result;
}

TEST_F(Exports, ExactlyTheDocumentedFunctionsAreExportedUndecorated)
{
    for (const std::string &name : kExportNames)
        EXPECT_NE(::GetProcAddress(s_handle, name.c_str()), nullptr) << name;
    // Decorated names stay inside: callers find the functions by their plain names only.
    for (const char *decorated :
         {"_WriteComments@12", "WriteComments@12", "_InStrRev@8", "_eraser@4", "_ReplaceComments@16"})
        EXPECT_EQ(::GetProcAddress(s_handle, decorated), nullptr) << decorated;

    DWORD functionCount = 0;
    EXPECT_EQ(exportedNames(s_handle, functionCount), kExportNames);
    EXPECT_EQ(functionCount, kExportNames.size()) << "exports without a name";
}

TEST_F(Exports, TheLibraryComesFromTheProgramsOwnFolder)
{
    char program[MAX_PATH];
    char library[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameA(nullptr, program, MAX_PATH), 0u);
    ASSERT_GT(::GetModuleFileNameA(s_handle, library, MAX_PATH), 0u);
    EXPECT_EQ(std::filesystem::path(library).parent_path(), std::filesystem::path(program).parent_path());
    EXPECT_EQ(std::filesystem::path(library).filename(), "Scrivlet.dll");
}

// Callers convert a path to the system's 8-bit code page just before the call. Characters the code
// page lacks come out as '?', so the converted path names no file: the file itself is not touched
// and nothing else is created.
TEST_F(Exports, APathOutsideTheCodePageReachesNoFile)
{
    const std::filesystem::path file = std::filesystem::path(m_dir.path()) / L"\u6587\u4EF6.txt";
    const std::string content = "ABC#.START.#hi#.END.# ";
    std::ofstream(file, std::ios::binary) << content;
    ASSERT_TRUE(std::filesystem::exists(file));

    char narrow[MAX_PATH];
    BOOL usedDefault = FALSE;
    ASSERT_GT(::WideCharToMultiByte(CP_ACP, 0, file.c_str(), -1, narrow, MAX_PATH, nullptr, &usedDefault), 0);
    if (!usedDefault)
        GTEST_SKIP() << "this system's code page " << ::GetACP() << " holds the name";

    const char *p = narrow;
    std::string area(16, '#');
    EXPECT_NE(find<ReadFn>("ReadComments")(area.data(), 16, &p), SCRIVLET_OK);
    EXPECT_EQ(area[0], '\0');
    EXPECT_NE(remove(narrow), SCRIVLET_OK);
    EXPECT_NE(find<PathFn>("eraser")(&p), SCRIVLET_OK);
    EXPECT_NE(write("#.START.#new#.END.# ", narrow), SCRIVLET_OK);

    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), content);
    const auto entries = std::distance(std::filesystem::directory_iterator(m_dir.path()), {});
    EXPECT_EQ(entries, 1);
}

#else

TEST_F(Exports, ExactlyTheDocumentedFunctionsAreExported)
{
    for (const std::string &name : kExportNames)
        EXPECT_NE(::dlsym(s_handle, name.c_str()), nullptr) << name;

    FILE *pipe = ::popen(("nm -D --defined-only '"s + SCRIVLET_LIBRARY_FILE + "' 2>/dev/null").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string entry(line);
        entry.erase(entry.find_last_not_of("\n") + 1);
        names.insert(entry.substr(entry.rfind(' ') + 1));
    }
    if (::pclose(pipe) != 0 && names.empty())
        GTEST_SKIP() << "nm is not available";
    EXPECT_EQ(names, kExportNames);
}

#endif

TEST_F(Exports, SaveReadDeleteRoundTrip)
{
    const std::string path = m_dir.file("doc.txt");
    writeFile(path, "ABC");
    EXPECT_EQ(remove(path), SCRIVLET_OK);
    EXPECT_EQ(write("#.START.#hi#.END.# ", path), SCRIVLET_OK);
    EXPECT_EQ(readFile(path), "ABC#.START.#hi#.END.# ");

    // The program's result area: 65,535 blanks and a zero byte.
    std::string area(65535, ' ');
    const char *p = path.c_str();
    EXPECT_EQ(find<ReadFn>("ReadComments")(area.data(), 65535, &p), SCRIVLET_OK);
    EXPECT_EQ(std::string(area.c_str()), "hi");
    EXPECT_EQ(area[3], ' ');

    EXPECT_EQ(remove(path), SCRIVLET_OK);
    EXPECT_EQ(readFile(path), "ABC");
    area.assign(65535, ' ');
    EXPECT_EQ(find<ReadFn>("ReadComments")(area.data(), 65535, &p), SCRIVLET_OK);
    EXPECT_EQ(area[0], '\0');
}

TEST_F(Exports, ReadCommentsNeverWritesBeyondItsCapacity)
{
    const std::string path = m_dir.file("f");
    writeFile(path, "#.START.#abcdef#.END.# ");
    const char *p = path.c_str();
    // capacity, what the area holds afterwards (# marks bytes that must stay untouched)
    const std::tuple<int32_t, std::string> cases[] = {{-1, "########"},  {0, "########"},
                                                      {1, "\0#######"s}, {4, "abc\0####"s},
                                                      {7, "abcdef\0#"s}, {8, "abcdef\0#"s}};
    for (const auto &[capacity, expected] : cases) {
        SCOPED_TRACE(capacity);
        std::string area(8, '#');
        EXPECT_EQ(find<ReadFn>("ReadComments")(area.data(), capacity, &p), SCRIVLET_OK);
        EXPECT_EQ(area, expected);
    }
}

TEST_F(Exports, WriteCommentsExaminesExactlyLengthBytes)
{
    const std::string path = m_dir.file("f");
    const std::string block = "#.START.#tab\there caf\xc3\xa9\r\nnext#.END.# ";
    EXPECT_EQ(write(block, path), SCRIVLET_OK);
    EXPECT_EQ(readFile(path), "#.START.#tabhere caf\r\nnext#.END.# ");

    const std::string other = m_dir.file("g");
    EXPECT_EQ(write("#.START.#hi#.END.# ", 11, other), SCRIVLET_OK);
    EXPECT_EQ(readFile(other), "#.START.#hi");

    const std::string empty = m_dir.file("h");
    for (const int32_t length : {0, -5})
        EXPECT_EQ(write("ignored", length, empty), SCRIVLET_OK);
    EXPECT_EQ(readFile(empty), "");
}

TEST_F(Exports, WriteCommentsRefusesMoreThanAMillionBytes)
{
    const std::string path = m_dir.file("f");
    const std::string text(SCRIVLET_MAX_TEXT + 1, 'x');
    EXPECT_EQ(write(text, path), SCRIVLET_E_TOOLONG);
    EXPECT_FALSE(exists(path));
    EXPECT_EQ(write(text, SCRIVLET_MAX_TEXT, path), SCRIVLET_OK);
    EXPECT_EQ(readFile(path).size(), std::size_t{SCRIVLET_MAX_TEXT});
}

TEST_F(Exports, MissingPathsGiveStatusesAndStayMissing)
{
    const std::string path = m_dir.file("missing");
    const char *p = path.c_str();
    std::string area(16, '#');
    EXPECT_EQ(find<ReadFn>("ReadComments")(area.data(), 16, &p), SCRIVLET_E_NOENT);
    EXPECT_EQ(area[0], '\0');
    EXPECT_EQ(remove(path), SCRIVLET_E_NOENT);
    EXPECT_EQ(find<PathFn>("eraser")(&p), SCRIVLET_E_NOENT);
    EXPECT_FALSE(exists(path));
}

TEST_F(Exports, NullPointersAreRejected)
{
    const char *null = nullptr;
    const char *text = "x";
    const std::string path = m_dir.file("f");
    const char *p = path.c_str();
    char area[4] = "##";
    EXPECT_EQ(find<WriteFn>("WriteComments")(&text, 1, nullptr), SCRIVLET_E_INVALID);
    EXPECT_EQ(find<WriteFn>("WriteComments")(&text, 1, &null), SCRIVLET_E_INVALID);
    EXPECT_EQ(find<WriteFn>("WriteComments")(nullptr, 1, &p), SCRIVLET_E_INVALID);
    EXPECT_EQ(find<WriteFn>("WriteComments")(&null, 1, &p), SCRIVLET_E_INVALID);
    EXPECT_EQ(find<ReadFn>("ReadComments")(nullptr, 4, &p), SCRIVLET_E_INVALID);
    EXPECT_EQ(find<ReadFn>("ReadComments")(area, 4, &null), SCRIVLET_E_INVALID);
    EXPECT_EQ(area[0], '\0');
    EXPECT_EQ(find<PathFn>("DelComments")(nullptr), SCRIVLET_E_INVALID);
    EXPECT_EQ(find<PathFn>("eraser")(&null), SCRIVLET_E_INVALID);
    EXPECT_FALSE(exists(path));
}

struct ReplaceCall
{
    const char *name;
    const char *text; // nullptr: a null text pointer
    int32_t length;
    uint32_t flags;
    int status;
    std::string after;
};

// Names the case in failure messages and ctest listings, not its bytes.
void PrintTo(const ReplaceCall &value, std::ostream *out)
{
    *out << value.name;
}

class ReplaceExport : public Exports, public ::testing::WithParamInterface<ReplaceCall>
{
};

TEST_P(ReplaceExport, TakesTheTextByReferenceAndLengthBytesOfIt)
{
    const ReplaceCall &c = GetParam();
    const std::string path = m_dir.file("f");
    writeFile(path, "own#.START.#old#.END.# ");
    const char *p = path.c_str();
    const char *t = c.text;
    EXPECT_EQ(find<ReplaceFn>("ReplaceComments")(&p, c.text != nullptr ? &t : nullptr, c.length, c.flags),
              c.status);
    EXPECT_EQ(readFile(path), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplaceExport,
    ::testing::Values(
        ReplaceCall{"WholeText", "new note", 8, 0, SCRIVLET_OK, "own#.START.#new note#.END.# "},
        ReplaceCall{"FirstLengthBytes", "new note", 3, 0, SCRIVLET_OK, "own#.START.#new#.END.# "},
        ReplaceCall{"ZeroLengthIsTheEmptyComment", "new", 0, 0, SCRIVLET_OK, "own#.START.##.END.# "},
        ReplaceCall{"NegativeLengthIsTheEmptyComment", nullptr, -3, 0, SCRIVLET_OK, "own#.START.##.END.# "},
        ReplaceCall{"RemoveNeedsNoText", nullptr, 5, SCRIVLET_REPLACE_REMOVE, SCRIVLET_OK, "own"},
        ReplaceCall{"NullText", nullptr, 5, 0, SCRIVLET_E_INVALID, "own#.START.#old#.END.# "},
        ReplaceCall{"TooLong", "x", SCRIVLET_MAX_COMMENT + 1, 0, SCRIVLET_E_TOOLONG,
                    "own#.START.#old#.END.# "},
        ReplaceCall{"Marker", "#.END.# ", 8, 0, SCRIVLET_E_MARKER, "own#.START.#old#.END.# "}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(Exports, ReplaceCommentsNeedsAPathAndAnExistingFile)
{
    const char *text = "x";
    const char *null = nullptr;
    const std::string path = m_dir.file("missing");
    const char *p = path.c_str();
    const auto replace = find<ReplaceFn>("ReplaceComments");
    EXPECT_EQ(replace(nullptr, &text, 1, 0), SCRIVLET_E_INVALID);
    EXPECT_EQ(replace(&null, &text, 1, 0), SCRIVLET_E_INVALID);
    EXPECT_EQ(replace(&p, &text, 1, 0), SCRIVLET_E_NOENT);
    EXPECT_FALSE(exists(path));
}

TEST_F(Exports, EraserCutsAtTheSecondLastDelimiter)
{
    const std::string path = m_dir.file("f");
    writeFile(path, "AB\x81xy\x81z");
    const char *p = path.c_str();
    EXPECT_EQ(find<PathFn>("eraser")(&p), SCRIVLET_OK);
    EXPECT_EQ(readFile(path), "AB");
}

TEST_F(Exports, InStrRevFindsTheLastOccurrence)
{
    const auto inStrRev = find<InStrRevFn>("InStrRev");
    const std::tuple<const char *, int16_t, int32_t> cases[] = {{"a.b.c", '.', 4},
                                                                {"a.b.c", 'x', 0},
                                                                {"a.b.c", 0, 6},
                                                                {"a.b.c", 302, 4},
                                                                {"a.b.c", 'a', 1},
                                                                {"", 0, 1},
                                                                {"", 'a', 0},
                                                                {"\xe9t\xe9", static_cast<int16_t>(0xe9), 3},
                                                                {"\xe9t\xe9", static_cast<int16_t>(-23), 3},
                                                                {nullptr, 'a', 0}};
    for (const auto &[text, character, position] : cases)
        EXPECT_EQ(inStrRev(text, character), position) << (text ? text : "(null)") << " / " << character;
}

#ifndef _WIN32
// On Windows DisplayStringByVal shows a real message box and waits for a person; there it is only
// resolved (with the other names above), never called by the tests.

// Runs DisplayStringByVal with a chosen environment, restoring the old one afterwards.
class DisplayEnvironment
{
public:
    DisplayEnvironment(const char *display, const std::string &path)
    {
        save("DISPLAY");
        save("WAYLAND_DISPLAY");
        save("PATH");
        ::unsetenv("WAYLAND_DISPLAY");
        if (display != nullptr)
            ::setenv("DISPLAY", display, 1);
        else
            ::unsetenv("DISPLAY");
        ::setenv("PATH", path.c_str(), 1);
    }
    ~DisplayEnvironment()
    {
        for (const auto &[name, value] : m_saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

private:
    void save(const char *name)
    {
        const char *value = std::getenv(name);
        m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST_F(Exports, DisplayStringByValReturnsAtOnceWithoutADesktopOrDialogProgram)
{
    const auto display = find<DisplayFn>("DisplayStringByVal");
    {
        DisplayEnvironment noDesktop(nullptr, "/usr/bin:/bin");
        EXPECT_EQ(display("hello"), 0);
    }
    {
        DisplayEnvironment noProgram(":99", m_dir.path());
        EXPECT_EQ(display("hello"), 0);
    }
}

TEST_F(Exports, DisplayStringByValHandsTheTextOverAsOneArgument)
{
    // A stand-in dialog program that records its arguments, one a line.
    const std::string record = m_dir.file("arguments");
    const std::string program = m_dir.file("zenity");
    writeFile(program,
              "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + record + "'\nexit 0\n");
    ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
    const std::string injected = m_dir.file("injected");
    const std::string text = "hi $(touch " + injected + "); `touch " + injected + "` <b>x</b>";

    DisplayEnvironment desktop(":99", m_dir.path() + ":/usr/bin:/bin");
    EXPECT_EQ(find<DisplayFn>("DisplayStringByVal")(text.c_str()), 1);
    EXPECT_EQ(readFile(record), "--info\n--no-markup\n--title\nDisplay String ByVal\n--text\n" + text + "\n");
    EXPECT_FALSE(exists(injected));
}

TEST_F(Exports, DisplayStringByValGivesZeroWhenTheBoxCannotBeShown)
{
    const std::string program = m_dir.file("zenity");
    writeFile(program, "#!/bin/sh\nexit 255\n");
    ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
    DisplayEnvironment desktop(":99", m_dir.path());
    EXPECT_EQ(find<DisplayFn>("DisplayStringByVal")("text"), 0);
}
#endif

} // namespace
