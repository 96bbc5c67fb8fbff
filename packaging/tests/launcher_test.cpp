// The application menu's launcher and the software centre's metainfo, read as the desktop reads
// them.
#include "packaging/tests/exec_line.h"
#include "packaging/tests/key_file.h"
#include "packaging/tests/test_paths.h"
#include "scrivlet_version.h"

#include <QFile>
#include <QMimeDatabase>
#include <QSet>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <ostream>

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

TEST(Launcher, NamesOnlyKnownMimeTypesByTheirOwnNames)
{
    const QStringList types = launcher().list(kEntry, QStringLiteral("MimeType"));
    ASSERT_FALSE(types.isEmpty());
    EXPECT_EQ(QSet<QString>(types.begin(), types.end()).size(), types.size()) << "a type is named twice";
    const QMimeDatabase db;
    for (const QString &type : types) {
        const QMimeType known = db.mimeTypeForName(type);
        EXPECT_TRUE(known.isValid()) << type.toStdString() << " is not a MIME type";
        // An alias works in some desktops' caches and not in others: the canonical name works in all.
        if (known.isValid()) {
            EXPECT_EQ(known.name(), type) << type.toStdString() << " is an alias";
        }
    }
}

struct OpenWithCase
{
    const char *name;
    const char *fileName;
};

void PrintTo(const OpenWithCase &c, std::ostream *os)
{
    *os << c.name;
}

class LauncherOpenWith : public testing::TestWithParam<OpenWithCase>
{
};

// "Open With" lists an application for a file when the file's type, or a type it inherits from, is
// among the application's MimeType list.
TEST_P(LauncherOpenWith, OffersScrivletFor)
{
    const QStringList types = launcher().list(kEntry, QStringLiteral("MimeType"));
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromUtf8(GetParam().fileName),
                                                           QMimeDatabase::MatchExtension);
    ASSERT_TRUE(type.isValid());
    EXPECT_TRUE(types.contains(type.name())) << type.name().toStdString() << " is not named";
}

INSTANTIATE_TEST_SUITE_P(
    Packaging, LauncherOpenWith,
    testing::Values(
        OpenWithCase{"unknown_file", "data.xyz123"}, OpenWithCase{"pdf", "contract.pdf"},
        OpenWithCase{"plain_text", "notes.txt"}, OpenWithCase{"word_document", "letter.docx"},
        OpenWithCase{"old_word_document", "letter.doc"}, OpenWithCase{"spreadsheet", "budget.xlsx"},
        OpenWithCase{"open_document_text", "report.odt"}, OpenWithCase{"open_document_sheet", "budget.ods"},
        OpenWithCase{"jpeg_photo", "photo.jpg"}, OpenWithCase{"png_picture", "screen.png"},
        OpenWithCase{"mp3_song", "song.mp3"}, OpenWithCase{"mp4_film", "holiday.mp4"},
        OpenWithCase{"zip_archive", "backup.zip"}, OpenWithCase{"compressed_tarball", "backup.tar.gz"}),
    [](const testing::TestParamInfo<OpenWithCase> &param) { return std::string(param.param.name); });

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
