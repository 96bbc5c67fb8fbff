// The packaged programs run from the unpacked packages, with the unpacked library folder as the
// only place to load libScrivlet from, so what is tested is the packaged layout, not the build's.
#include "packaging/tests/extracted_packages.h"
#include "packaging/tests/process_run.h"
#include "scrivlet_version.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QProcessEnvironment packagedEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_LIBRARY_PATH"), ExtractedPackages::get().libraryFolder());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The programs read their settings from a folder of the test's, never the user's own.
    static const QTemporaryDir configHome;
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.path());
    return env;
}

ProcessRun runPackaged(const QString &program, const QStringList &arguments)
{
    return ProcessRun::run(ExtractedPackages::get().path(QStringLiteral("usr/bin/") + program), arguments,
                           packagedEnvironment());
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class PackagedRun : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(ExtractedPackages::get().error(), QString());
        ASSERT_TRUE(m_folder.isValid());
    }
    QTemporaryDir m_folder;
};

TEST_F(PackagedRun, ScrivSaysItsVersion)
{
    const ProcessRun run = runPackaged(QStringLiteral("scriv"), {QStringLiteral("--version")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(SCRIVLET_VERSION)) << run.out.toStdString();
}

TEST_F(PackagedRun, ScrivSetsShowsAndRemovesAComment)
{
    const QString file = m_folder.filePath(QStringLiteral("report.txt"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("own bytes\n");
    out.close();

    ProcessRun run = runPackaged(QStringLiteral("scriv"), {QStringLiteral("set"), QStringLiteral("-m"),
                                                           QStringLiteral("checked by the package"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(bytesOf(file), QByteArray("own bytes\n#.START.#checked by the package#.END.# "));

    run = runPackaged(QStringLiteral("scriv"), {QStringLiteral("show"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QByteArray("checked by the package\n"));

    run = runPackaged(QStringLiteral("scriv"), {QStringLiteral("rm"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(bytesOf(file), QByteArray("own bytes\n"));
}

// The packaged window is the built one: the same picture, pixel for pixel.
TEST_F(PackagedRun, ScrivletDrawsTheSameWindowAsTheBuild)
{
    const QString packaged = m_folder.filePath(QStringLiteral("packaged.png"));
    const QString built = m_folder.filePath(QStringLiteral("built.png"));
    const ProcessRun run =
        runPackaged(QStringLiteral("scrivlet"), {QStringLiteral("--screenshot"), packaged});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const ProcessRun reference =
        ProcessRun::run(QStringLiteral(SCRIVLET_BUILT_PROGRAM), {QStringLiteral("--screenshot"), built},
                        packagedEnvironment());
    ASSERT_EQ(reference.exitCode, 0) << reference.err.toStdString();
    const QImage packagedImage(packaged);
    ASSERT_FALSE(packagedImage.isNull());
    EXPECT_GT(packagedImage.width(), 300);
    EXPECT_EQ(packagedImage.convertToFormat(QImage::Format_RGB32),
              QImage(built).convertToFormat(QImage::Format_RGB32));
}

// A C program built against the development package through pkg-config, then run against the
// runtime package.
TEST_F(PackagedRun, CProgramBuildsWithPkgConfigAndReadsAComment)
{
    const QString cc = ProcessRun::find(QStringLiteral("cc"));
    const QString pkgConfig = ProcessRun::find(QStringLiteral("pkg-config"));
    if (cc.isEmpty() || pkgConfig.isEmpty())
        GTEST_SKIP() << "needs cc and pkg-config";
    const ExtractedPackages &packages = ExtractedPackages::get();
    QProcessEnvironment env = packagedEnvironment();
    // The file names /usr, where the package puts things; the sysroot maps that into the root.
    env.insert(QStringLiteral("PKG_CONFIG_PATH"), packages.libraryFolder() + QStringLiteral("/pkgconfig"));
    env.insert(QStringLiteral("PKG_CONFIG_SYSROOT_DIR"), packages.path(QString()));
    const ProcessRun flags = ProcessRun::run(
        pkgConfig, {QStringLiteral("--cflags"), QStringLiteral("--libs"), QStringLiteral("scrivlet")}, env);
    ASSERT_EQ(flags.exitCode, 0) << flags.err.toStdString();
    const ProcessRun prefix =
        ProcessRun::run(pkgConfig, {QStringLiteral("--variable=prefix"), QStringLiteral("scrivlet")}, env);
    EXPECT_EQ(prefix.out.trimmed(), packages.path(QStringLiteral("usr")).toUtf8());

    const QString source = m_folder.filePath(QStringLiteral("reader.c"));
    QFile code(source);
    ASSERT_TRUE(code.open(QIODevice::WriteOnly));
    code.write("#include <scrivlet.h>\n#include <stdio.h>\n"
               "int main(int argc, char **argv)\n{\n"
               "    static char text[1000001];\n    const char *path = argv[argc - 1];\n"
               "    if (ReadComments(text, sizeof text, &path) != SCRIVLET_OK)\n        return 1;\n"
               "    puts(text);\n    return 0;\n}\n");
    code.close();
    const QString program = m_folder.filePath(QStringLiteral("reader"));
    const QStringList arguments =
        QStringList({source, QStringLiteral("-o"), program}) +
        QString::fromUtf8(flags.out).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const ProcessRun build = ProcessRun::run(cc, arguments, env);
    ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();

    const QString file = m_folder.filePath(QStringLiteral("photo.jpg"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("\xff\xd8 pixels#.START.#read from C#.END.# ");
    out.close();
    const ProcessRun run = ProcessRun::run(program, {file}, env);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QByteArray("read from C\n"));
}

} // namespace
