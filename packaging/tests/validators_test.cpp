// The packaging files through the tools that check them on a Debian system; a tool that is not
// installed skips its case (scripts/bootstrap.sh installs them).
#include "packaging/tests/process_run.h"
#include "packaging/tests/test_paths.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ValidatorCase
{
    const char *name;
    const char *tool;
    QStringList options;
    const char *file; ///< "src:" under the sources, "build:" under the build folder
    bool silent;      ///< any output at all counts as a finding
};

void PrintTo(const ValidatorCase &c, std::ostream *os)
{
    *os << c.name;
}

class Validator : public testing::TestWithParam<ValidatorCase>
{
};

TEST_P(Validator, FindsNothing)
{
    const ValidatorCase &c = GetParam();
    const QString tool = ProcessRun::find(QString::fromUtf8(c.tool));
    if (tool.isEmpty())
        GTEST_SKIP() << c.tool << " is not installed";
    const QString file = QString::fromUtf8(c.file);
    const QString path =
        file.startsWith(QLatin1String("src:")) ? sourcePath(file.mid(4)) : buildPath(file.mid(6));
    const ProcessRun run = ProcessRun::run(tool, c.options + QStringList(path));
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
    if (c.silent) {
        EXPECT_EQ(run.out.toStdString(), "");
        EXPECT_EQ(run.err.toStdString(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Packaging, Validator,
    testing::Values(
        ValidatorCase{"launcher_desktop_file_validate",
                      "desktop-file-validate",
                      {},
                      "src:packaging/scrivlet.desktop",
                      true},
        ValidatorCase{"metainfo_appstreamcli",
                      "appstreamcli",
                      {"validate", "--no-net", "--pedantic", "--no-color"},
                      "src:packaging/org.example.scrivlet.metainfo.xml",
                      false},
        ValidatorCase{"scriv_manual_groff", "groff", {"-man", "-ww", "-z", "-t"}, "build:man/scriv.1", true},
        ValidatorCase{
            "scrivlet_manual_groff", "groff", {"-man", "-ww", "-z", "-t"}, "build:man/scrivlet.1", true},
        ValidatorCase{"completion_bash_syntax", "bash", {"-n"}, "src:packaging/completion/scriv", true},
        ValidatorCase{
            "completion_shellcheck", "shellcheck", {"-s", "bash"}, "src:packaging/completion/scriv", true},
        ValidatorCase{"nautilus_script_sh_syntax", "sh", {"-n"}, "src:packaging/menus/nautilus-script", true},
        ValidatorCase{
            "nautilus_script_shellcheck", "shellcheck", {}, "src:packaging/menus/nautilus-script", true}),
    [](const testing::TestParamInfo<ValidatorCase> &param) { return std::string(param.param.name); });

} // namespace
