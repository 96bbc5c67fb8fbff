// Bad input: every case gives its status and message, and changes nothing but what it should.
#include "scriv_runner.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

using namespace scrivlet;

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

std::string block(const std::string &text)
{
    return "#.START.#" + text + "#.END.# ";
}

// A file's bytes; a file the tests cannot read (its mode taken away, not running as root) keeps its
// place in a snapshot by this mark.
std::string bytesOrUnreadable(const std::string &path)
{
    try {
        return readFile(path);
    } catch (const std::runtime_error &) {
        return "(unreadable)";
    }
}

// Every entry under a folder with its kind and, for files, its bytes and mode.
std::map<std::string, std::string> snapshot(const std::string &folder)
{
    std::map<std::string, std::string> entries;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        const std::string path = entry.path().string();
        const fs::file_status status = entry.symlink_status();
        const auto mode = static_cast<unsigned>(status.permissions());
        if (status.type() == fs::file_type::regular)
            entries[path] = "file " + std::to_string(mode) + " " + bytesOrUnreadable(path);
        else
            entries[path] =
                "kind " + std::to_string(static_cast<int>(status.type())) + " " + std::to_string(mode);
    }
    return entries;
}

// Files a test gives to another user, so that permission bits bind even when the tests run as root.
void handOver(const std::string &path, mode_t mode)
{
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

struct Prepared
{
    std::vector<std::string> arguments;
    std::string target;                  ///< the file whose content may change
    std::optional<std::string> expected; ///< its content afterwards; nothing: no change anywhere
};

struct Case
{
    std::string name;
    std::function<Prepared(const TempDir &)> prepare;
    int exitCode;
    std::string errPart;
    std::string outPart = {};
    bool asAnotherUser = false;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

class BadInput : public testing::TestWithParam<Case>
{
};

TEST_P(BadInput, GivesItsStatusAndChangesOnlyWhatItShould)
{
    const Case &c = GetParam();
    TempDir dir;
    const Prepared prepared = c.prepare(dir);
    auto before = snapshot(dir.path());

    ScrivRunner::Options options;
    if (c.asAnotherUser && ::geteuid() == 0)
        options.user = kNobody;
    options.timeout = std::chrono::seconds(20);
    const auto result = ScrivRunner::run(prepared.arguments, options);
    if (options.user && result.exitCode == 126)
        GTEST_SKIP() << "cannot run scriv as another user here, and root ignores permission bits: "
                     << result.err;

    EXPECT_FALSE(result.timedOut) << "scriv blocked";
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_NE(result.err.find(c.errPart), std::string::npos) << result.err;
    EXPECT_NE(result.out.find(c.outPart), std::string::npos) << result.out;

    auto after = snapshot(dir.path());
    if (prepared.expected) {
        ASSERT_TRUE(after.count(prepared.target)) << "the target is gone";
        EXPECT_EQ(readFile(prepared.target), *prepared.expected);
        before.erase(prepared.target);
        after.erase(prepared.target);
    }
    EXPECT_EQ(after, before);
}

Prepared on(std::vector<std::string> arguments, std::string target, std::optional<std::string> expected = {})
{
    arguments.push_back(target);
    return {std::move(arguments), std::move(target), std::move(expected)};
}

std::vector<std::string> command(const std::string &name)
{
    if (name == "set")
        return {"set", "-m", "new"};
    return {name};
}

std::vector<Case> unusablePaths()
{
    std::vector<Case> cases;
    for (const std::string name : {"show", "set", "rm"}) {
        cases.push_back({"MissingFile_" + name,
                         [name](const TempDir &dir) { return on(command(name), dir.file("missing")); }, 1,
                         "missing: no such file"});
        cases.push_back({"MissingFolder_" + name,
                         [name](const TempDir &dir) { return on(command(name), dir.file("none/f")); }, 1,
                         "no such file"});
        cases.push_back({"Folder_" + name,
                         [name](const TempDir &dir) {
                             ::mkdir(dir.file("sub").c_str(), 0755);
                             dir.write("sub/f", "x");
                             return on(command(name), dir.file("sub"));
                         },
                         1, "is a folder"});
        cases.push_back({"Fifo_" + name,
                         [name](const TempDir &dir) {
                             ::mkfifo(dir.file("pipe").c_str(), 0644);
                             return on(command(name), dir.file("pipe"));
                         },
                         1, "pipe: not a regular file"});
    }
    cases.push_back({"FifoAsCommentFile",
                     [](const TempDir &dir) {
                         ::mkfifo(dir.file("pipe").c_str(), 0644);
                         return on({"set", "-F", dir.file("pipe")}, dir.write("f", "x"));
                     },
                     1, "cannot read the comment"});
    return cases;
}

std::vector<Case> permissions()
{
    return {
        {"ReadOnlyFile_set",
         [](const TempDir &dir) {
             const std::string f = dir.write("ro", "read only");
             handOver(f, 0444);
             return on(command("set"), f);
         },
         1, "ro: no access", "", true},
        {"ReadOnlyFileWithComment_rm",
         [](const TempDir &dir) {
             const std::string f = dir.write("ro", "read only" + block("stays"));
             handOver(f, 0444);
             return on({"rm"}, f);
         },
         1, "ro: no access", "", true},
        {"ReadOnlyFileWithComment_set",
         [](const TempDir &dir) {
             const std::string f = dir.write("ro", "read only" + block("stays"));
             handOver(f, 0444);
             return on(command("set"), f);
         },
         1, "ro: no access", "", true},
        {"ReadOnlyFile_show",
         [](const TempDir &dir) {
             const std::string f = dir.write("ro", "read only" + block("readable"));
             handOver(f, 0444);
             return on({"show"}, f);
         },
         0, "", "readable\n", true},
        {"UnreadableFile_show",
         [](const TempDir &dir) {
             const std::string f = dir.write("secret", "x" + block("hidden"));
             handOver(f, 0200);
             return on({"show"}, f);
         },
         1, "secret: no access", "", true},
        // Appending and cutting need no write permission on the folder: the file changes in place.
        {"WritableFileInReadOnlyFolder_set",
         [](const TempDir &dir) {
             ::mkdir(dir.file("locked").c_str(), 0755);
             const std::string f = dir.write("locked/f", "body" + block("old"));
             handOver(f, 0644);
             handOver(dir.file("locked"), 0555);
             return on(command("set"), f, "body" + block("new"));
         },
         0, "", "", true},
        {"ReadOnlyFileInReadOnlyFolder_rm",
         [](const TempDir &dir) {
             ::mkdir(dir.file("locked").c_str(), 0755);
             const std::string f = dir.write("locked/f", "body" + block("old"));
             handOver(f, 0444);
             handOver(dir.file("locked"), 0555);
             return on({"rm"}, f);
         },
         1, "no access", "", true},
    };
}

std::vector<Case> oddContents()
{
    // Odd names have their own table (scriv_names_test.cpp).
    std::vector<Case> cases;
    cases.push_back({"EmptyFile_set",
                     [](const TempDir &dir) { return on(command("set"), dir.write("e", ""), block("new")); },
                     0, ""});
    cases.push_back(
        {"EmptyFile_show", [](const TempDir &dir) { return on({"show"}, dir.write("e", "")); }, 0, ""});
    cases.push_back(
        {"EmptyFile_rm", [](const TempDir &dir) { return on({"rm"}, dir.write("e", "")); }, 0, ""});
    cases.push_back({"OnlyABlock_rm",
                     [](const TempDir &dir) { return on({"rm"}, dir.write("b", block("all")), ""); }, 0, ""});
    cases.push_back({"EndMarkerWithoutStart_rm",
                     [](const TempDir &dir) { return on({"rm"}, dir.write("b", "text#.END.# ")); }, 0, ""});
    return cases;
}

std::vector<Case> oddComments()
{
    // A block with its 17 bytes of markers fills the library's 1,000,000 bytes.
    const std::size_t largest = 999983;
    return {
        {"CommentOneByteTooLong_set",
         [largest](const TempDir &dir) {
             const std::string source = dir.write("big.txt", std::string(largest + 1, 'x'));
             return on({"set", "-F", source}, dir.write("f", "body" + block("old stays")));
         },
         2, "at most 999983 fit; nothing was changed"},
        {"LargestComment_set",
         [largest](const TempDir &dir) {
             const std::string source = dir.write("big.txt", std::string(largest, 'y'));
             return on({"set", "-F", source}, dir.write("f", "body"),
                       "body" + block(std::string(largest, 'y')));
         },
         0, ""},
        {"LargestComment_show",
         [largest](const TempDir &dir) {
             return on({"show"}, dir.write("f", block(std::string(largest, 'z'))));
         },
         0, "", std::string(largest, 'z') + "\n"},
        {"NulTabAndLetters_set",
         [](const TempDir &dir) {
             const std::string source =
                 dir.write("c.txt", std::string("a\0b\tc caf\xc3\xa9 \xe6\x97\xa5!", 16));
             return on({"set", "-F", source}, dir.write("f", "body"), "body" + block("abc caf !"));
         },
         0, "warning: 4 characters dropped"},
    };
}

std::vector<Case> allCases()
{
    std::vector<Case> cases;
    for (auto group : {unusablePaths(), permissions(), oddContents(), oddComments()})
        cases.insert(cases.end(), group.begin(), group.end());
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Scriv, BadInput, testing::ValuesIn(allCases()),
                         [](const testing::TestParamInfo<Case> &param) { return param.param.name; });

} // namespace
