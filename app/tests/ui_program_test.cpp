// The built scrivlet program started as a user or a file manager starts it: --help and --version
// answer without a window, a bad option is a usage error, and items named on the command line
// reach the window (its picture changes with a listed file, not with a missing one).
#include "app/model/user_settings.h"
#include "app/ui/main_window.h"
#include "scrivlet_version.h"
#include "tests/support/scripted_platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace scrivlet;

namespace {

struct ProgramRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// A folder for the program's settings, in place of the user's own, which no test reads or writes.
QString emptyConfigHome()
{
    static const QTemporaryDir folder;
    return folder.path();
}

ProgramRun runProgram(const QStringList &arguments, bool withDisplay = true,
                      const QString &configHome = emptyConfigHome())
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    if (withDisplay) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        // No display at all: Qt would give up on the window, so answers must come before it.
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(SCRIVLET_PROGRAM), arguments);
    ProgramRun run;
    if (!program.waitForFinished(60000))
        return run;
    run.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    run.out = program.readAllStandardOutput();
    run.err = program.readAllStandardError();
    return run;
}

struct AnswerCase
{
    const char *name;
    QStringList arguments;
    int exitCode;
    QByteArray out; ///< how standard output starts
    QByteArray err; ///< how standard error starts
};

void PrintTo(const AnswerCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProgramAnswer : public testing::TestWithParam<AnswerCase>
{
};

TEST_P(ProgramAnswer, WithoutADisplay)
{
    const AnswerCase &c = GetParam();
    const ProgramRun run = runProgram(c.arguments, false);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(c.out)) << run.out.toStdString();
    EXPECT_TRUE(run.err.startsWith(c.err)) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Program, ProgramAnswer,
    testing::Values(AnswerCase{"help", {"--help"}, 0, "Usage: scrivlet [FILE|FOLDER]...\n", ""},
                    AnswerCase{"short_help_after_items", {"/tmp", "-h"}, 0, "Usage: scrivlet", ""},
                    AnswerCase{"version", {"--version"}, 0, "scrivlet " SCRIVLET_VERSION "\n", ""},
                    AnswerCase{"short_version", {"-v"}, 0, "scrivlet " SCRIVLET_VERSION "\n", ""}),
    [](const testing::TestParamInfo<AnswerCase> &param) { return std::string(param.param.name); });

TEST(Program, UnknownOptionIsAUsageError)
{
    const ProgramRun run = runProgram({QStringLiteral("--frobnicate"), QStringLiteral("/tmp")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("unknown option '--frobnicate'")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

QImage screenshot(const QTemporaryDir &folder, const QString &name, const QStringList &items,
                  const QString &configHome = emptyConfigHome())
{
    const QString file = folder.filePath(name);
    const ProgramRun run =
        runProgram(QStringList({QStringLiteral("--screenshot"), file}) + items, true, configHome);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

// Without items the program's window is the window as built anywhere else, pixel for pixel.
// Shows the window as a fresh program shows it: no pointer left over it by an earlier test's
// clicks (a button under the pointer is drawn hovered).
void showAsTheProgramDoes(MainWindow &window)
{
    QCursor::setPos(-1000, -1000);
    window.show();
    QApplication::processEvents();
}

TEST(Program, WithoutItemsTheWindowStartsAsBuilt)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QImage started = screenshot(folder, QStringLiteral("started.png"), {});
    ASSERT_FALSE(started.isNull());
    UserSettings::setKeepFileDates(false); // as the program's own fresh settings
    ScriptedPlatform platform;
    MainWindow window(platform);
    showAsTheProgramDoes(window);
    EXPECT_EQ(started, window.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

// The program keeps the user's choices where the system keeps programs' settings, and a new
// window shows the one stored there.
TEST(Program, TheWindowShowsTheKeepDatesChoiceStoredInTheUsersSettings)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString configHome = folder.filePath(QStringLiteral("config"));
    ASSERT_TRUE(QDir().mkpath(configHome + QStringLiteral("/Scrivlet")));
    QFile settings(configHome + QStringLiteral("/Scrivlet/Scrivlet.conf"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Options]\nKeepFileDates=true\n");
    settings.close();

    const QImage ticked = screenshot(folder, QStringLiteral("ticked.png"), {}, configHome);
    ASSERT_FALSE(ticked.isNull());
    ScriptedPlatform platform;
    MainWindow window(platform);
    window.keepDatesOption()->setChecked(true);
    showAsTheProgramDoes(window);
    EXPECT_EQ(ticked, window.grab().toImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(ticked, screenshot(folder, QStringLiteral("unticked.png"), {}));
}

TEST(Program, ItemsOnTheCommandLineReachTheWindow)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("listed file.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();

    const QImage missing =
        screenshot(folder, QStringLiteral("missing.png"), {folder.filePath(QStringLiteral("gone.txt"))});
    const QImage listed = screenshot(folder, QStringLiteral("listed.png"), {file.fileName()});
    const QImage listedByAddress =
        screenshot(folder, QStringLiteral("address.png"),
                   {QStringLiteral("file://") + QString(file.fileName()).replace(QLatin1Char(' '), "%20")});
    ASSERT_FALSE(missing.isNull());
    EXPECT_NE(listed, missing); // the row is there
    EXPECT_EQ(listed.size(), missing.size());
    EXPECT_EQ(listedByAddress, listed);
}

// Starts the program as a shell does, in @p folder with @p arguments, all as bytes: QProcess
// would pass them as text, and a name that is not UTF-8 could not be given at all. Returns the
// exit status (-1 when it did not end normally).
int runInFolder(const QByteArray &folder, const QByteArrayList &arguments)
{
    std::vector<std::string> words{SCRIVLET_PROGRAM};
    for (const QByteArray &argument : arguments)
        words.push_back(argument.toStdString());
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables{"QT_QPA_PLATFORM=offscreen",
                                       "XDG_CONFIG_HOME=" + emptyConfigHome().toStdString()};
    for (char **variable = environ; *variable != nullptr; ++variable) {
        const std::string text(*variable);
        if (text.rfind("QT_QPA_PLATFORM=", 0) != 0 && text.rfind("XDG_CONFIG_HOME=", 0) != 0)
            variables.push_back(text);
    }
    std::vector<char *> envp;
    for (std::string &variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        // Only calls that are safe between fork and exec.
        if (::chdir(folder.constData()) == 0)
            ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Started from a folder whose name is not UTF-8 (as on an old USB stick), a file named relative
// to it, itself not UTF-8, is listed: the current folder is taken as bytes, not as decoded text.
TEST(Program, ANameThatIsNotUtf8ReachesTheWindowFromAFolderThatIsNotUtf8)
{
    QTemporaryDir pictures;
    ASSERT_TRUE(pictures.isValid());
    const QByteArray root = QFile::encodeName(pictures.path());
    const QByteArray folder = root + "/Fotos \xe9t\xe9";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const int made = ::open((folder + "/caf\xe9.txt").constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(made, 0);
    ASSERT_EQ(::write(made, "x", 1), 1);
    ::close(made);

    const auto shot = [&](const char *name, const QByteArray &item) {
        const QByteArray file = root + '/' + name;
        EXPECT_EQ(runInFolder(folder, {"--screenshot", file, item}), 0) << name;
        return QImage(QFile::decodeName(file)).convertToFormat(QImage::Format_RGB32);
    };
    const QImage missing = shot("missing.png", "gone.txt");
    const QImage relative = shot("relative.png", "caf\xe9.txt");
    const QImage absolute = shot("absolute.png", folder + "/caf\xe9.txt");
    ASSERT_FALSE(missing.isNull());
    EXPECT_NE(absolute, missing) << "the file named by its full path is listed";
    EXPECT_EQ(relative, absolute) << "the file named from its folder is listed the same";
    // The folder the test made holds bytes QTemporaryDir cannot name; it goes first.
    EXPECT_EQ(::unlink((folder + "/caf\xe9.txt").constData()), 0);
    EXPECT_EQ(::rmdir(folder.constData()), 0);
}

} // namespace
