// The Exec splitter the menu tests rely on, against the quoting rules of launchers.
#include "packaging/tests/exec_line.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct SplitCase
{
    const char *name;
    const char *exec;
    bool valid;
    QStringList arguments;
};

void PrintTo(const SplitCase &c, std::ostream *os)
{
    *os << c.name;
}

class ExecLine : public testing::TestWithParam<SplitCase>
{
};

TEST_P(ExecLine, SplitsAsLaunchersDo)
{
    const SplitCase &c = GetParam();
    const auto arguments = splitExecLine(QString::fromUtf8(c.exec));
    ASSERT_EQ(arguments.has_value(), c.valid) << c.exec;
    if (c.valid) {
        EXPECT_EQ(*arguments, c.arguments);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Packaging, ExecLine,
    testing::Values(
        SplitCase{"program_and_field_code", "scrivlet %F", true, {"scrivlet", "%F"}},
        SplitCase{"runs_of_spaces_separate_once", "scrivlet   --  %U ", true, {"scrivlet", "--", "%U"}},
        SplitCase{"quoted_program_with_spaces",
                  "\"/opt/my apps/scrivlet\" %F",
                  true,
                  {"/opt/my apps/scrivlet", "%F"}},
        SplitCase{"escapes_inside_quotes", "echo \"a\\\"b\\$c\\\\d\"", true, {"echo", "a\"b$c\\d"}},
        SplitCase{"empty_quoted_argument", "echo \"\" x", true, {"echo", "", "x"}},
        SplitCase{"unterminated_quote", "scrivlet \"%F", false, {}},
        SplitCase{"dollar_outside_quotes", "scrivlet $HOME", false, {}},
        SplitCase{"single_quote_is_reserved", "scrivlet '%F'", false, {}},
        SplitCase{"unknown_escape_inside_quotes", "echo \"a\\nb\"", false, {}}),
    [](const testing::TestParamInfo<SplitCase> &param) { return std::string(param.param.name); });

} // namespace
