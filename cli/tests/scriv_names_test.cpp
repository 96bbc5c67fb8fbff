// Every file name, whatever its bytes, goes through the folder scan and out again unchanged:
// set -r, ls -r as text, as JSON and NUL-separated, show -0, rm -r.
#include "json_reader.h"
#include "scriv_runner.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <sys/stat.h>

using namespace scrivlet;

namespace {

std::string block(const std::string &text)
{
    return "#.START.#" + text + "#.END.# ";
}

struct NameCase
{
    const char *name;
    std::string folder; ///< a sub-folder of the tree, with its own odd name
    std::string file;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const NameCase &c, std::ostream *os)
{
    *os << c.name;
}

class OddNames : public testing::TestWithParam<NameCase>
{
};

TEST_P(OddNames, GoThroughEveryCommandUnchanged)
{
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file(GetParam().folder).c_str(), 0755), 0);
    const std::string path = dir.write(GetParam().folder + "/" + GetParam().file, "data");

    const auto set = ScrivRunner::run({"set", "-r", "-m", "note", dir.path()});
    EXPECT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(readFile(path), "data" + block("note"));

    // As text, each file is one line: a line feed in a name is shown as \n.
    std::string listedPath;
    for (const char byte : path)
        listedPath += byte == '\n' ? std::string("\\n") : std::string(1, byte);
    const auto listed = ScrivRunner::run({"ls", "-r", dir.path()});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out, listedPath + ": note\n");

    const auto json = ScrivRunner::run({"ls", "-r", "--json", dir.path()});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    const auto entries = JsonReader::parseArray(json.out);
    ASSERT_TRUE(entries.has_value()) << json.out;
    EXPECT_EQ(*entries, (std::vector<JsonReader::Object>{{{"path", path}, {"comment", "note"}}}));

    const auto nulls = ScrivRunner::run({"ls", "-r", "-0", dir.path()});
    EXPECT_EQ(nulls.exitCode, 0) << nulls.err;
    EXPECT_EQ(nulls.out, path + '\0');

    const auto shown = ScrivRunner::run({"show", "-0", "--", path});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(shown.out, path + '\0' + "note" + '\0');

    const auto removed = ScrivRunner::run({"rm", "-r", dir.path()});
    EXPECT_EQ(removed.exitCode, 0) << removed.err;
    EXPECT_EQ(readFile(path), "data");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scriv, OddNames, testing::Values(
    NameCase{"Ascii", "sub", "plain.txt"},
    NameCase{"Utf8", "d\xc3\xa9j\xc3\xa0", "caf\xc3\xa9 \xe6\x97\xa5.txt"},
    NameCase{"Latin1Bytes", "d\xfc" "ber", "caf\xe9.txt"},
    NameCase{"InvalidBytes", "\xff\xfe", "bad\xc0\xaf name"},
    NameCase{"Newline", "two\nlines", "line\nbreak"},
    NameCase{"LeadingDash", "-r", "-m"},
    NameCase{"Spaces", " spaced folder ", "name with  spaces.txt"}),
    [](const testing::TestParamInfo<NameCase> &param) { return std::string(param.param.name); });
// clang-format on

TEST(OddNames, AFolderOfNamesThatAreNotUtf8IsNotEmpty)
{
    TempDir dir;
    const std::string a = dir.write("caf\xe9", "1");
    const std::string b = dir.write("na\xefve", "2");
    const auto set = ScrivRunner::run({"set", "-r", "-m", "c", dir.path()});
    EXPECT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(readFile(a), "1" + block("c"));
    EXPECT_EQ(readFile(b), "2" + block("c"));
    const auto removed = ScrivRunner::run({"rm", "-r", dir.path()});
    EXPECT_EQ(removed.exitCode, 0) << removed.err;
    EXPECT_EQ(readFile(a), "1");
}

} // namespace
