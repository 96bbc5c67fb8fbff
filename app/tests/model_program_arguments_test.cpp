#include "app/model/program_arguments.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace scrivlet;

namespace {

using Action = ProgramArguments::Action;

struct ArgumentsCase
{
    const char *name;
    QList<QByteArray> arguments;
    Action action;
    QString screenshot;
    QList<QByteArray> paths;
    double scale = 0;
};

void PrintTo(const ArgumentsCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProgramArgumentsTable : public testing::TestWithParam<ArgumentsCase>
{
};

TEST_P(ProgramArgumentsTable, Parse)
{
    const ArgumentsCase &c = GetParam();
    const ProgramArguments parsed = ProgramArguments::parse(c.arguments, "/home/ann/Documents");
    EXPECT_EQ(parsed.action(), c.action) << parsed.error().toStdString();
    EXPECT_EQ(parsed.screenshotFile(), c.screenshot);
    EXPECT_EQ(parsed.paths(), c.paths);
    EXPECT_EQ(parsed.scale(), c.scale);
    EXPECT_EQ(parsed.error().isEmpty(), c.action != Action::Error);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ProgramArguments, ProgramArgumentsTable, testing::Values(
    ArgumentsCase{"nothing_starts_the_window_empty", {}, Action::Run, {}, {}},
    ArgumentsCase{"absolute_paths_stay", {"/tmp/a.txt", "/srv/photos"}, Action::Run, {}, {"/tmp/a.txt", "/srv/photos"}},
    ArgumentsCase{"relative_paths_from_the_current_folder", {"notes.txt", "./sub/b.pdf", "../x"}, Action::Run, {},
                  {"/home/ann/Documents/notes.txt", "/home/ann/Documents/sub/b.pdf", "/home/ann/Documents/../x"}},
    ArgumentsCase{"doubled_slashes_and_dots_cleaned", {"/tmp//a/./b/"}, Action::Run, {}, {"/tmp/a/b"}},
    ArgumentsCase{"spaces_and_utf8_kept", {"/tmp/my notes/caf\xc3\xa9 \xe2\x82\xac.txt"}, Action::Run, {},
                  {"/tmp/my notes/caf\xc3\xa9 \xe2\x82\xac.txt"}},
    ArgumentsCase{"latin1_bytes_kept", {"/tmp/caf\xe9.txt"}, Action::Run, {}, {"/tmp/caf\xe9.txt"}},
    ArgumentsCase{"file_address_decoded", {"file:///tmp/my%20notes/caf%C3%A9.txt"}, Action::Run, {},
                  {"/tmp/my notes/caf\xc3\xa9.txt"}},
    ArgumentsCase{"file_address_with_localhost", {"file://localhost/tmp/a%0Ab"}, Action::Run, {}, {"/tmp/a\nb"}},
    ArgumentsCase{"file_address_of_latin1_name", {"file:///tmp/caf%E9"}, Action::Run, {}, {"/tmp/caf\xe9"}},
    ArgumentsCase{"other_machine_stays_unlistable", {"file://server/share/a"}, Action::Run, {},
                  {"/home/ann/Documents/file:/server/share/a"}},
    ArgumentsCase{"double_dash_ends_options", {"--", "--help", "-v"}, Action::Run, {},
                  {"/home/ann/Documents/--help", "/home/ann/Documents/-v"}},
    ArgumentsCase{"lone_dash_is_a_name", {"-"}, Action::Run, {}, {"/home/ann/Documents/-"}},
    ArgumentsCase{"empty_argument_ignored", {"", "/a"}, Action::Run, {}, {"/a"}},
    ArgumentsCase{"help", {"/a", "--help"}, Action::Help, {}, {"/a"}},
    ArgumentsCase{"short_help", {"-h"}, Action::Help, {}, {}},
    ArgumentsCase{"version", {"--version"}, Action::Version, {}, {}},
    ArgumentsCase{"short_version", {"-v"}, Action::Version, {}, {}},
    ArgumentsCase{"screenshot_with_items", {"--screenshot", "shot.png", "/a"}, Action::Run, "shot.png", {"/a"}},
    ArgumentsCase{"screenshot_glued", {"/a", "--screenshot=s.png"}, Action::Run, "s.png", {"/a"}},
    ArgumentsCase{"screenshot_without_file", {"--screenshot"}, Action::Error, {}, {}},
    ArgumentsCase{"scale_for_a_screenshot", {"--scale", "1.5", "--screenshot", "s.png"}, Action::Run, "s.png", {}, 1.5},
    ArgumentsCase{"scale_glued", {"--scale=2", "/a"}, Action::Run, {}, {"/a"}, 2},
    ArgumentsCase{"scale_not_a_factor", {"--scale", "big"}, Action::Error, {}, {}},
    ArgumentsCase{"scale_of_zero", {"--scale=0"}, Action::Error, {}, {}},
    ArgumentsCase{"unknown_option", {"/a", "--force"}, Action::Error, {}, {}}),
    [](const testing::TestParamInfo<ArgumentsCase> &param) { return std::string(param.param.name); });
// clang-format on

} // namespace
