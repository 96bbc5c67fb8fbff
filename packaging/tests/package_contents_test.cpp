// What the Debian packages hold and declare: every file in its package and place, the control
// fields that make `apt install` pull in the right libraries, and binaries without run paths.
#include "packaging/tests/extracted_packages.h"
#include "packaging/tests/process_run.h"
#include "scrivlet_version.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

const QString kLib = QStringLiteral(SCRIVLET_INSTALL_LIBDIR);
const QString kVersion = QStringLiteral(SCRIVLET_VERSION);

// The package's file list as dpkg-deb prints it: "./usr/bin/scriv", links as "path -> target".
QStringList contents(const QString &deb)
{
    const ProcessRun run = ProcessRun::run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb});
    QStringList entries;
    for (const QString &line : QString::fromUtf8(run.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype start = line.indexOf(QStringLiteral(" ./"));
        if (start >= 0)
            entries << line.mid(start + 3);
    }
    return entries;
}

QString field(const QString &deb, const QString &name)
{
    return QString::fromUtf8(
               ProcessRun::run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), deb, name}).out)
        .trimmed();
}

struct PlacedFile
{
    const char *name;
    const char *package;
    QString entry; ///< as dpkg-deb lists it, "usr/bin/scriv" or "link -> target"
};

void PrintTo(const PlacedFile &c, std::ostream *os)
{
    *os << c.name;
}

class PackagedFile : public testing::TestWithParam<PlacedFile>
{
};

TEST_P(PackagedFile, IsInItsPackageAtItsPlace)
{
    const ExtractedPackages &packages = ExtractedPackages::get();
    ASSERT_EQ(packages.error(), QString());
    const QString deb = packages.deb(QString::fromUtf8(GetParam().package));
    ASSERT_FALSE(deb.isEmpty()) << "no package " << GetParam().package;
    EXPECT_TRUE(contents(deb).contains(GetParam().entry)) << GetParam().entry.toStdString();
}

QString icon(int size)
{
    return QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/scrivlet.png").arg(size);
}

INSTANTIATE_TEST_SUITE_P(
    Package, PackagedFile,
    testing::Values(
        PlacedFile{"program", "scrivlet", "usr/bin/scrivlet"},
        PlacedFile{"scriv", "scrivlet", "usr/bin/scriv"},
        PlacedFile{"launcher", "scrivlet", "usr/share/applications/scrivlet.desktop"},
        PlacedFile{"metainfo", "scrivlet", "usr/share/metainfo/org.example.scrivlet.metainfo.xml"},
        PlacedFile{"icon_16", "scrivlet", icon(16)}, PlacedFile{"icon_32", "scrivlet", icon(32)},
        PlacedFile{"icon_48", "scrivlet", icon(48)}, PlacedFile{"icon_64", "scrivlet", icon(64)},
        PlacedFile{"icon_128", "scrivlet", icon(128)}, PlacedFile{"icon_256", "scrivlet", icon(256)},
        PlacedFile{"kde_service_menu", "scrivlet", "usr/share/kio/servicemenus/scrivlet-comment.desktop"},
        PlacedFile{"nemo_action", "scrivlet", "usr/share/nemo/actions/scrivlet-comment.nemo_action"},
        PlacedFile{"nautilus_script", "scrivlet", "usr/share/scrivlet/nautilus-script"},
        PlacedFile{"thunar_action", "scrivlet", "usr/share/scrivlet/thunar-uca.xml"},
        PlacedFile{"help_page", "scrivlet", "usr/share/scrivlet/help.html"},
        PlacedFile{"scriv_manual", "scrivlet", "usr/share/man/man1/scriv.1.gz"},
        PlacedFile{"scrivlet_manual", "scrivlet", "usr/share/man/man1/scrivlet.1.gz"},
        PlacedFile{"completion", "scrivlet", "usr/share/bash-completion/completions/scriv"},
        PlacedFile{"program_copyright", "scrivlet", "usr/share/doc/scrivlet/copyright"},
        PlacedFile{"program_changelog", "scrivlet", "usr/share/doc/scrivlet/changelog.gz"},
        PlacedFile{"library", "libscrivlet1", kLib + "/libScrivlet.so." + kVersion},
        PlacedFile{"library_soname_link", "libscrivlet1",
                   kLib + "/libScrivlet.so.1 -> libScrivlet.so." + kVersion},
        PlacedFile{"library_copyright", "libscrivlet1", "usr/share/doc/libscrivlet1/copyright"},
        PlacedFile{"library_changelog", "libscrivlet1", "usr/share/doc/libscrivlet1/changelog.gz"},
        PlacedFile{"header", "libscrivlet-dev", "usr/include/scrivlet.h"},
        PlacedFile{"link_time_library", "libscrivlet-dev", kLib + "/libScrivlet.so -> libScrivlet.so.1"},
        PlacedFile{"pkg_config_file", "libscrivlet-dev", kLib + "/pkgconfig/scrivlet.pc"},
        PlacedFile{"dev_copyright", "libscrivlet-dev", "usr/share/doc/libscrivlet-dev/copyright"},
        PlacedFile{"nautilus_module", "scrivlet-nautilus",
                   kLib + "/nautilus/extensions-4/libscrivlet-nautilus.so"},
        PlacedFile{"nautilus_copyright", "scrivlet-nautilus", "usr/share/doc/scrivlet-nautilus/copyright"},
        PlacedFile{"nemo_module", "scrivlet-nemo", kLib + "/nemo/extensions-3.0/libscrivlet-nemo.so"},
        PlacedFile{"nemo_copyright", "scrivlet-nemo", "usr/share/doc/scrivlet-nemo/copyright"},
        PlacedFile{"kde_extractor", "scrivlet-kde",
                   kLib + "/qt5/plugins/kf5/kfilemetadata/kfilemetadata_scrivletextractor.so"},
        PlacedFile{"kde_copyright", "scrivlet-kde", "usr/share/doc/scrivlet-kde/copyright"},
        PlacedFile{"kde_changelog", "scrivlet-kde", "usr/share/doc/scrivlet-kde/changelog.gz"}),
    [](const testing::TestParamInfo<PlacedFile> &param) { return std::string(param.param.name); });

TEST(Package, ProgramDependsOnItsLibraryAndQt)
{
    const ExtractedPackages &packages = ExtractedPackages::get();
    ASSERT_EQ(packages.error(), QString());
    const QString depends = field(packages.deb(QStringLiteral("scrivlet")), QStringLiteral("Depends"));
    // The program loads the library by name: only the stated dependency brings it in.
    EXPECT_TRUE(depends.contains(QStringLiteral("libscrivlet1 (= ") + kVersion + QLatin1Char(')')))
        << depends.toStdString();
    // Computed from the binaries.
    EXPECT_TRUE(depends.contains(QStringLiteral("libqt6widgets6"))) << depends.toStdString();
    EXPECT_TRUE(depends.contains(QStringLiteral("libc6 (>= "))) << depends.toStdString();
    EXPECT_EQ(field(packages.deb(QStringLiteral("libscrivlet-dev")), QStringLiteral("Depends")),
              QStringLiteral("libscrivlet1 (= ") + kVersion + QLatin1Char(')'));
}

// The main package stays free of the file managers' toolkits: GTK and Qt 5 come only with the
// module packages, each of which needs its extension library and libScrivlet, and enhances (does not
// pull in) its file manager.
TEST(Package, ModulesDependOnTheirHostLibrariesAndTheMainPackageOnNone)
{
    const ExtractedPackages &packages = ExtractedPackages::get();
    ASSERT_EQ(packages.error(), QString());
    const QString program = field(packages.deb(QStringLiteral("scrivlet")), QStringLiteral("Depends"));
    for (const char *toolkit : {"libgtk", "libqt5", "libkf5", "libnautilus", "libnemo", "libglib"})
        EXPECT_FALSE(program.contains(QLatin1String(toolkit))) << program.toStdString();

    const struct
    {
        const char *package;
        const char *library;
        const char *enhances;
    } modules[] = {{"scrivlet-nautilus", "libnautilus-extension4", "nautilus"},
                   {"scrivlet-nemo", "libnemo-extension1", "nemo"},
                   {"scrivlet-kde", "libkf5filemetadata3", "dolphin, baloo-kf5"}};
    for (const auto &module : modules) {
        const QString deb = packages.deb(QString::fromLatin1(module.package));
        ASSERT_FALSE(deb.isEmpty()) << module.package;
        const QString depends = field(deb, QStringLiteral("Depends"));
        EXPECT_TRUE(depends.contains(QLatin1String(module.library))) << depends.toStdString();
        EXPECT_TRUE(depends.contains(QStringLiteral("libscrivlet1 (= ") + kVersion + QLatin1Char(')')))
            << depends.toStdString();
        EXPECT_EQ(field(deb, QStringLiteral("Enhances")), QString::fromLatin1(module.enhances));
    }
}

TEST(Package, LibraryDeclaresItsSonameAndRunsLdconfig)
{
    const ExtractedPackages &packages = ExtractedPackages::get();
    ASSERT_EQ(packages.error(), QString());
    QTemporaryDir control;
    ASSERT_TRUE(control.isValid());
    ASSERT_EQ(ProcessRun::run(
                  QStringLiteral("dpkg-deb"),
                  {QStringLiteral("--control"), packages.deb(QStringLiteral("libscrivlet1")), control.path()})
                  .exitCode,
              0);
    const auto read = [&control](const QString &name) {
        QFile file(control.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
    };
    // Programs built against the library then depend on this package in this version or later.
    EXPECT_EQ(read(QStringLiteral("shlibs")),
              QStringLiteral("libScrivlet 1 libscrivlet1 (>= ") + kVersion + ')');
    EXPECT_TRUE(read(QStringLiteral("triggers")).contains(QStringLiteral("activate-noawait ldconfig")));
}

struct ElfCase
{
    const char *name;
    const char *path; ///< under the root; %1 is the library folder
    const char *soname;
    const char *needs; ///< a library the file must name in DT_NEEDED, or ""
};

void PrintTo(const ElfCase &c, std::ostream *os)
{
    *os << c.name;
}

class PackagedBinary : public testing::TestWithParam<ElfCase>
{
};

// No run path: the programs find the library where the system's loader looks, and the program's
// own-folder lookup is its own code's, not the linker's.
TEST_P(PackagedBinary, HasNoRunPathAndTheRightNames)
{
    const ExtractedPackages &packages = ExtractedPackages::get();
    ASSERT_EQ(packages.error(), QString());
    const ElfCase &c = GetParam();
    const QString file = packages.path(QString::fromUtf8(c.path).arg(kLib, kVersion));
    const ProcessRun run = ProcessRun::run(QStringLiteral("readelf"), {QStringLiteral("--dynamic"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString dynamic = QString::fromUtf8(run.out);
    EXPECT_FALSE(dynamic.contains(QStringLiteral("(RPATH)"))) << dynamic.toStdString();
    EXPECT_FALSE(dynamic.contains(QStringLiteral("(RUNPATH)"))) << dynamic.toStdString();
    EXPECT_FALSE(dynamic.contains(QStringLiteral("$ORIGIN")));
    const auto soname = QRegularExpression(QStringLiteral("\\(SONAME\\).*\\[(.*)\\]")).match(dynamic);
    EXPECT_EQ(soname.captured(1), QString::fromUtf8(c.soname));
    if (*c.needs != '\0') {
        EXPECT_TRUE(
            dynamic.contains(QStringLiteral("(NEEDED)             Shared library: [%1]").arg(c.needs)))
            << dynamic.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Package, PackagedBinary,
    testing::Values(
        ElfCase{"scrivlet", "usr/bin/scrivlet", "", "libQt6Widgets.so.6"},
        ElfCase{"scriv", "usr/bin/scriv", "", ""},
        ElfCase{"library", "%1/libScrivlet.so.%2", "libScrivlet.so.1", ""},
        ElfCase{"nautilus_module", "%1/nautilus/extensions-4/libscrivlet-nautilus.so", "",
                "libScrivlet.so.1"},
        ElfCase{"nemo_module", "%1/nemo/extensions-3.0/libscrivlet-nemo.so", "", "libScrivlet.so.1"},
        ElfCase{"kde_extractor", "%1/qt5/plugins/kf5/kfilemetadata/kfilemetadata_scrivletextractor.so", "",
                "libScrivlet.so.1"}),
    [](const testing::TestParamInfo<ElfCase> &param) { return std::string(param.param.name); });

} // namespace
