// The Nautilus script run as Nautilus runs it, with a stand-in "scrivlet" on PATH that records the
// arguments it receives.
#include "packaging/tests/process_run.h"
#include "packaging/tests/test_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct ScriptCase
{
    const char *name;
    const char *selectedUris; ///< NAUTILUS_SCRIPT_SELECTED_URIS; nullptr leaves it unset
    QStringList arguments;    ///< what Nautilus passes on the command line
    QStringList expected;     ///< what scrivlet must receive
};

void PrintTo(const ScriptCase &c, std::ostream *os)
{
    *os << c.name;
}

class NautilusScript : public testing::TestWithParam<ScriptCase>
{
};

TEST_P(NautilusScript, PassesTheSelectionToScrivlet)
{
    const ScriptCase &c = GetParam();
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QString record = bin.filePath(QStringLiteral("arguments"));
    QFile fake(bin.filePath(QStringLiteral("scrivlet")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("#!/bin/sh\nfor a; do printf '%s\\0' \"$a\"; done > \"$RECORD\"\n");
    fake.close();
    fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), bin.path() + QStringLiteral(":/usr/bin:/bin"));
    env.insert(QStringLiteral("RECORD"), record);
    env.remove(QStringLiteral("NAUTILUS_SCRIPT_SELECTED_URIS"));
    if (c.selectedUris != nullptr)
        env.insert(QStringLiteral("NAUTILUS_SCRIPT_SELECTED_URIS"), QString::fromUtf8(c.selectedUris));
    // Nautilus runs scripts in the shown folder; a wildcard in an address must not expand against
    // what lies there ("file:///tmp/*" would match file:/tmp/decoy).
    ASSERT_TRUE(QDir(bin.path()).mkpath(QStringLiteral("file:/tmp")));
    QFile decoy(bin.filePath(QStringLiteral("file:/tmp/decoy")));
    ASSERT_TRUE(decoy.open(QIODevice::WriteOnly));
    decoy.close();

    const ProcessRun run = ProcessRun::run(sourcePath(QStringLiteral("packaging/menus/nautilus-script")),
                                           c.arguments, env, bin.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile recorded(record);
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    QStringList received;
    for (const QByteArray &argument : recorded.readAll().split('\0'))
        received << QString::fromUtf8(argument);
    received.removeLast(); // after the final NUL
    EXPECT_EQ(received, QStringList(QStringLiteral("--")) + c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Packaging, NautilusScript,
    testing::Values(
        ScriptCase{
            "one_file", "file:///home/ann/report.pdf\n", {"report.pdf"}, {"file:///home/ann/report.pdf"}},
        ScriptCase{"files_and_a_folder",
                   "file:///home/ann/a.txt\nfile:///home/ann/Photos\nfile:///home/ann/b.txt\n",
                   {"a.txt", "Photos", "b.txt"},
                   {"file:///home/ann/a.txt", "file:///home/ann/Photos", "file:///home/ann/b.txt"}},
        ScriptCase{"spaces_and_line_break_stay_encoded",
                   "file:///home/ann/my%20notes.txt\nfile:///tmp/two%0Alines\n",
                   {"my notes.txt", "two\nlines"},
                   {"file:///home/ann/my%20notes.txt", "file:///tmp/two%0Alines"}},
        ScriptCase{"wildcard_is_not_expanded", "file:///tmp/*\n", {"*"}, {"file:///tmp/*"}},
        ScriptCase{"without_addresses_the_arguments",
                   nullptr,
                   {"my notes.txt", "-dash"},
                   {"my notes.txt", "-dash"}}),
    [](const testing::TestParamInfo<ScriptCase> &param) { return std::string(param.param.name); });

} // namespace
