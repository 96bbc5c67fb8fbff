// Where the program finds the comment store library: a libScrivlet.so in its own folder first (as
// on Windows), else the installed libScrivlet.so.1 through the system's library search, with no
// run path in the program. Checked by running a small program that reads a comment through the
// binding, copied into folders laid out like a copied build and like an installed system.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <ostream>

namespace {

enum class Beside { Nothing, Library, OtherLibrary };

struct LookupCase
{
    const char *name;
    Beside beside;          ///< what lies in the program's folder as libScrivlet.so
    bool installed;         ///< libScrivlet.so.1 in a folder on LD_LIBRARY_PATH
    int exitCode;           ///< 0 read the comment, 3 the library or its export was not found
    const char *errorNames; ///< a file the error message must name (when it fails)
};

void PrintTo(const LookupCase &c, std::ostream *os)
{
    *os << c.name;
}

class LibraryLookup : public testing::TestWithParam<LookupCase>
{
};

bool copyFile(const QString &from, const QString &to)
{
    return QFile::copy(from, to) &&
           QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_P(LibraryLookup, FindsTheLibrary)
{
    const LookupCase &c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir(root.path()).mkpath(QStringLiteral("bin"));
    QDir(root.path()).mkpath(QStringLiteral("lib"));
    const QString program = root.filePath(QStringLiteral("bin/probe"));
    ASSERT_TRUE(copyFile(QStringLiteral(COMMENT_STORE_PROBE), program));
    const QString beside = root.filePath(QStringLiteral("bin/libScrivlet.so"));
    if (c.beside == Beside::Library) {
        ASSERT_TRUE(copyFile(QStringLiteral(BUILT_LIBRARY), beside));
    } else if (c.beside == Beside::OtherLibrary) { // loads, but holds none of the exports
        ASSERT_TRUE(copyFile(QStringLiteral("/lib/x86_64-linux-gnu/libm.so.6"), beside) ||
                    copyFile(QStringLiteral("/usr/lib/x86_64-linux-gnu/libm.so.6"), beside));
    }
    if (c.installed) {
        ASSERT_TRUE(
            copyFile(QStringLiteral(BUILT_LIBRARY), root.filePath(QStringLiteral("lib/libScrivlet.so.1"))));
    }

    const QString file = root.filePath(QStringLiteral("note.txt"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("own bytes#.START.#found it#.END.# ");
    out.close();

    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_LIBRARY_PATH"), root.filePath(QStringLiteral("lib")));
    probe.setProcessEnvironment(env);
    probe.start(program, {file});
    ASSERT_TRUE(probe.waitForFinished(30000));
    const QString error = QString::fromLocal8Bit(probe.readAllStandardError());
    ASSERT_EQ(probe.exitCode(), c.exitCode) << error.toStdString();
    if (c.exitCode == 0) {
        EXPECT_EQ(probe.readAllStandardOutput(), QByteArray("found it"));
    } else {
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.errorNames))) << error.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommentStore, LibraryLookup,
    testing::Values(LookupCase{"beside_the_program", Beside::Library, false, 0, ""},
                    LookupCase{"installed_by_its_soname", Beside::Nothing, true, 0, ""},
                    LookupCase{"own_folder_before_installed", Beside::OtherLibrary, true, 3,
                               "/bin/libScrivlet.so"},
                    LookupCase{"neither_names_both_places", Beside::Nothing, false, 3, "libScrivlet.so.1"}),
    [](const testing::TestParamInfo<LookupCase> &param) { return std::string(param.param.name); });

} // namespace
