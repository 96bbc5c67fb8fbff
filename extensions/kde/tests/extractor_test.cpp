// The extractor as Baloo and Dolphin load it: found by KFileMetaData::ExtractorCollection through
// QT_PLUGIN_PATH, run on real files into a SimpleExtractionResult.
#include "mime_types.h"

#include <KFileMetaData/Extractor>
#include <KFileMetaData/ExtractorCollection>
#include <KFileMetaData/SimpleExtractionResult>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QMimeDatabase>
#include <QPluginLoader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

using KFileMetaData::ExtractionResult;

const QString kId = QStringLiteral("org.scrivlet.commentextractor");

// Our extractor among those the collection offers for a type, or null.
KFileMetaData::Extractor *ours(const KFileMetaData::ExtractorCollection &collection, const QString &type)
{
    for (KFileMetaData::Extractor *extractor : collection.fetchExtractors(type)) {
        if (extractor->extractorProperties().value(QStringLiteral("Id")).toString() == kId)
            return extractor;
    }
    return nullptr;
}

// Writes the file byte by byte: its own bytes, then the block when there is a comment.
bool writeFile(const std::string &path, const std::string &own, const std::string *comment)
{
    std::string bytes = own;
    if (comment != nullptr)
        bytes += "#.START.#" + *comment + "#.END.# ";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    return ::close(fd) == 0 && written;
}

struct FileCase
{
    const char *name;
    std::string fileName; ///< bytes, not necessarily UTF-8
    std::string comment;  ///< written when hasComment
    bool hasComment;
    bool removedBeforeRead; ///< listed, then gone: the read fails
    QString expected;       ///< the comment property and the indexed text; empty: neither
};

void PrintTo(const FileCase &c, std::ostream *os)
{
    *os << c.name;
}

class ExtractorReports : public testing::TestWithParam<FileCase>
{
};

TEST_P(ExtractorReports, TheCommentAsPropertyAndIndexedText)
{
    const FileCase &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = QFile::encodeName(dir.path()).toStdString() + "/" + c.fileName;
    ASSERT_TRUE(writeFile(path, "own bytes\n", c.hasComment ? &c.comment : nullptr));
    if (c.removedBeforeRead) {
        ASSERT_EQ(::unlink(path.c_str()), 0);
    }

    const KFileMetaData::ExtractorCollection collection;
    for (const QString &type : {QStringLiteral("text/plain"), QStringLiteral("image/jpeg")}) {
        KFileMetaData::Extractor *extractor = ours(collection, type);
        ASSERT_NE(extractor, nullptr) << type.toStdString();
        KFileMetaData::SimpleExtractionResult result(QFile::decodeName(path.c_str()), type,
                                                     ExtractionResult::ExtractMetaData |
                                                         ExtractionResult::ExtractPlainText);
        extractor->extract(&result);
        const QVariantList comments = result.properties(KFileMetaData::PropertiesMapType::MultiMap)
                                          .values(KFileMetaData::Property::Comment);
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(comments.isEmpty());
            EXPECT_TRUE(result.text().isEmpty());
        } else {
            ASSERT_EQ(comments.size(), 1);
            EXPECT_EQ(comments.first().toString(), c.expected);
            EXPECT_EQ(result.text().trimmed(), c.expected);
        }
        // Metadata only (Dolphin's panel): no text.
        KFileMetaData::SimpleExtractionResult metadataOnly(QFile::decodeName(path.c_str()), type,
                                                           ExtractionResult::ExtractMetaData);
        extractor->extract(&metadataOnly);
        EXPECT_TRUE(metadataOnly.text().isEmpty());
    }
    ::unlink(path.c_str()); // QTemporaryDir cannot name a file whose name is not UTF-8
}

const std::string kLongComment(999983, 'x');

INSTANTIATE_TEST_SUITE_P(
    Kde, ExtractorReports,
    testing::Values(FileCase{"with_comment", "notes.txt", "Quarterly figures\r\nsecond line", true, false,
                             QStringLiteral("Quarterly figures\r\nsecond line")},
                    FileCase{"without_comment", "plain.txt", "", false, false, QString()},
                    FileCase{"empty_comment", "empty.txt", "", true, false, QString()},
                    FileCase{"longest_comment", "long.txt", kLongComment, true, false,
                             QString::fromStdString(kLongComment)},
                    FileCase{"unreadable", "gone.txt", "never read", true, true, QString()},
                    // Qt 5 holds paths as Unicode: under a UTF-8 locale a name that is not UTF-8 reaches
                    // every extractor changed, so none can open the file; ours stays quiet too.
                    FileCase{"name_not_utf8", "caf\xE9.txt", "Latin-1 name", true, false, QString()}),
    [](const testing::TestParamInfo<FileCase> &param) { return std::string(param.param.name); });

// Exact matches for every type a stock extractor names, and the fallback through inheritance for
// types none names (a C source is text/plain, a SQLite file application/octet-stream).
TEST(Extractor, IsOfferedForStockTypesAndByInheritance)
{
    const KFileMetaData::ExtractorCollection collection;
    for (const char *type : {"application/pdf", "image/jpeg", "audio/mpeg", "text/plain", "text/x-csrc",
                             "application/octet-stream", "application/zip", "application/x-executable",
                             "application/x-sharedlib", "application/x-cd-image", "application/x-tar",
                             "application/x-7z-compressed", "application/gzip",
                             "application/x-compressed-tar", "application/vnd.sqlite3", "text/csv",
                             "text/markdown", "application/json", "application/x-shellscript"}) {
        EXPECT_NE(ours(collection, QString::fromLatin1(type)), nullptr) << type;
    }
}

TEST(Extractor, NamesEveryTypeTheInstalledStockExtractorsName)
{
    const QStringList named = scrivlet::extractorMimeTypes();
    const QStringList files = {QStringLiteral("a.zip"),     QStringLiteral("a.tar.xz"),
                               QStringLiteral("a.7z"),      QStringLiteral("a.rar"),
                               QStringLiteral("a.iso"),     QStringLiteral("a.deb"),
                               QStringLiteral("a.tar.bz2"), QStringLiteral("a.zst")};
    // Named as the MIME database names them, or the exact match misses.
    for (const QString &file : files) {
        const QString type = QMimeDatabase().mimeTypeForFile(file, QMimeDatabase::MatchExtension).name();
        EXPECT_TRUE(named.contains(type)) << file.toStdString() << " is " << type.toStdString();
    }
    const QDir stock(QLibraryInfo::location(QLibraryInfo::PluginsPath) +
                     QStringLiteral("/kf5/kfilemetadata"));
    const QStringList plugins = stock.entryList({QStringLiteral("*.so")});
    ASSERT_FALSE(plugins.isEmpty()) << stock.path().toStdString();
    for (const QString &plugin : plugins) {
        const QJsonObject meta =
            QPluginLoader(stock.filePath(plugin)).metaData().value(QStringLiteral("MetaData")).toObject();
        for (const QString &type : meta.value(QStringLiteral("MimeTypes")).toObject().keys())
            EXPECT_TRUE(named.contains(type)) << plugin.toStdString() << " names " << type.toStdString();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
