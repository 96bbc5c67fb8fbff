// scriv's bash completion, run in bash as the shell runs it when Tab is pressed.
#include "packaging/tests/process_run.h"
#include "packaging/tests/test_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct CompletionCase
{
    const char *name;
    QStringList words;    ///< the command line, the last word being completed
    QStringList expected; ///< the offers, in any order
};

void PrintTo(const CompletionCase &c, std::ostream *os)
{
    *os << c.name;
}

// Sources the completion, lets the shell register it, and asks the registered function for the
// last word, inside @p folder.
QStringList complete(const QStringList &words, const QString &folder)
{
    const QString script = QStringLiteral(
        "source \"$COMPLETION\" || exit 3\n"
        "registered=$(complete -p scriv) || exit 4\n"
        "function=${registered#*-F }; function=${function%% *}\n"
        "COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); COMP_LINE=\"$*\"; COMP_POINT=${#COMP_LINE}\n"
        "\"$function\" scriv \"${COMP_WORDS[COMP_CWORD]}\" \"${COMP_WORDS[COMP_CWORD - 1]}\"\n"
        "printf '%s\\n' \"${COMPREPLY[@]}\"\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("COMPLETION"), sourcePath(QStringLiteral("packaging/completion/scriv")));
    const ProcessRun run =
        ProcessRun::run(QStringLiteral("bash"),
                        QStringList({QStringLiteral("--norc"), QStringLiteral("--noprofile"),
                                     QStringLiteral("-c"), script, QStringLiteral("bash")}) +
                            words,
                        env, folder);
    if (run.exitCode != 0)
        return {QStringLiteral("bash failed: ") + QString::fromUtf8(run.err)};
    QStringList offers = QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    offers.sort();
    return offers;
}

class Completion : public testing::TestWithParam<CompletionCase>
{
};

TEST_P(Completion, Offers)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Photos")));
    for (const char *name : {"notes.txt", "new report.pdf", "-dashed"}) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList expected = GetParam().expected;
    expected.sort();
    EXPECT_EQ(complete(GetParam().words, folder.path()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Packaging, Completion,
    testing::Values(
        CompletionCase{"commands", {"scriv", ""}, {"show", "set", "rm", "ls", "recover"}},
        CompletionCase{"commands_by_prefix", {"scriv", "s"}, {"show", "set"}},
        CompletionCase{"options_before_a_command", {"scriv", "--"}, {"--help", "--version"}},
        CompletionCase{
            "set_long_options",
            {"scriv", "set", "--"},
            {"--message", "--file", "--recursive", "--utf8", "--keep-time", "--sync", "--help", "--"}},
        CompletionCase{"show_options_after_a_path",
                       {"scriv", "show", "a.txt", "-"},
                       {"-r", "--recursive", "--json", "-0", "--null", "-h", "--help", "--"}},
        CompletionCase{"ls_grep_by_prefix", {"scriv", "ls", "--g"}, {"--grep"}},
        CompletionCase{"rm_keep_time", {"scriv", "rm", "--k"}, {"--keep-time"}},
        CompletionCase{"message_text_is_free", {"scriv", "set", "-m", ""}, {}},
        CompletionCase{"grep_pattern_is_free", {"scriv", "ls", "--grep", "n"}, {}},
        CompletionCase{
            "comment_file_is_a_file", {"scriv", "set", "-F", "n"}, {"new report.pdf", "notes.txt"}},
        CompletionCase{"paths_of_show",
                       {"scriv", "show", "-r", ""},
                       {"Photos", "notes.txt", "new report.pdf", "-dashed"}},
        CompletionCase{"ls_takes_folders_only", {"scriv", "ls", ""}, {"Photos"}},
        CompletionCase{"after_double_dash_dashes_are_names", {"scriv", "rm", "--", "-"}, {"-dashed"}},
        CompletionCase{"recover_takes_files",
                       {"scriv", "recover", "--discard", ""},
                       {"Photos", "notes.txt", "new report.pdf", "-dashed"}}),
    [](const testing::TestParamInfo<CompletionCase> &param) { return std::string(param.param.name); });

} // namespace
