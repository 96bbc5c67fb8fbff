// The application menu's launcher and the software centre's metainfo, read as the desktop reads
// them.
#include "packaging/tests/exec_line.h"
#include "packaging/tests/key_file.h"
#include "packaging/tests/test_paths.h"
#include "scrivlet_version.h"

#include <QFile>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace {

const QString kEntry = QStringLiteral("Desktop Entry");

KeyFile launcher()
{
    return KeyFile::load(sourcePath(QStringLiteral("packaging/scrivlet.desktop")));
}

TEST(Launcher, StartsTheProgramWithEverySelectedFile)
{
    const KeyFile file = launcher();
    ASSERT_TRUE(file.loaded());
    EXPECT_TRUE(file.problems().isEmpty()) << file.problems().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(file.value(kEntry, QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(splitExecLine(file.value(kEntry, QStringLiteral("Exec"))),
              QStringList({QStringLiteral("scrivlet"), QStringLiteral("%F")}));
    EXPECT_EQ(file.value(kEntry, QStringLiteral("TryExec")), QStringLiteral("scrivlet"));
    EXPECT_EQ(file.value(kEntry, QStringLiteral("Terminal")), QStringLiteral("false"));
    EXPECT_EQ(file.value(kEntry, QStringLiteral("Icon")), QStringLiteral("scrivlet"));
    EXPECT_TRUE(file.list(kEntry, QStringLiteral("Categories")).contains(QStringLiteral("Utility")));
}

// "Open With" lists an application for a file when the file's type, or a type it inherits from, is
// among the application's MimeType list; a desktop where nothing else claims a type even makes it
// the default opener. Scrivlet opens no file: files reach it through the file managers' "Comment
// with Scrivlet" items and its command line, so it claims no type at all, least of all the generic
// ones that every file inherits.
TEST(Launcher, ClaimsNoFileType)
{
    const KeyFile file = launcher();
    ASSERT_TRUE(file.loaded());
    const QStringList types = file.list(kEntry, QStringLiteral("MimeType"));
    EXPECT_EQ(types, QStringList()) << types.join(QLatin1Char(';')).toStdString();
}

// The metainfo's facts that the software centre matches against the installed files.
std::map<QString, QStringList> metainfoFacts()
{
    QFile file(sourcePath(QStringLiteral("packaging/org.example.scrivlet.metainfo.xml")));
    std::map<QString, QStringList> facts;
    if (!file.open(QIODevice::ReadOnly))
        return facts;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString element = xml.name().toString();
        if (element == QLatin1String("release")) {
            facts[QStringLiteral("release")] << xml.attributes().value(QLatin1String("version")).toString();
        } else if (element == QLatin1String("launchable") || element == QLatin1String("binary") ||
                   element == QLatin1String("library") || element == QLatin1String("id") ||
                   element == QLatin1String("icon")) {
            facts[element] << xml.readElementText();
        }
    }
    if (xml.hasError())
        facts[QStringLiteral("error")] << xml.errorString();
    return facts;
}

TEST(Metainfo, NamesTheInstalledFiles)
{
    auto facts = metainfoFacts();
    EXPECT_EQ(facts[QStringLiteral("error")], QStringList());
    EXPECT_EQ(facts[QStringLiteral("id")], QStringList(QStringLiteral("org.example.scrivlet")));
    EXPECT_EQ(facts[QStringLiteral("launchable")], QStringList(QStringLiteral("scrivlet.desktop")));
    EXPECT_EQ(facts[QStringLiteral("icon")], QStringList(QStringLiteral("scrivlet")));
    EXPECT_EQ(facts[QStringLiteral("binary")],
              QStringList({QStringLiteral("scrivlet"), QStringLiteral("scriv")}));
    EXPECT_EQ(facts[QStringLiteral("library")], QStringList(QStringLiteral("libScrivlet.so.1")));
}

TEST(Metainfo, NewestReleaseIsThisVersion)
{
    const QStringList releases = metainfoFacts()[QStringLiteral("release")];
    ASSERT_FALSE(releases.isEmpty());
    EXPECT_EQ(releases.first(), QStringLiteral(SCRIVLET_VERSION));
}

} // namespace
