#include "app/model/comment_store.h"

#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>

using namespace scrivlet;

namespace {

const QString kBuiltLibrary = QStringLiteral(SCRIVLET_BUILD_DIR "/bin/libScrivlet.so");

// Files are opened by their path's bytes, so names that are not UTF-8 are reached too.
QByteArray contents(const QByteArray &path)
{
    std::ifstream file(path.constData(), std::ios::binary);
    if (!file)
        return QByteArray("<unreadable>");
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return QByteArray::fromStdString(bytes);
}

void put(const QByteArray &path, const QByteArray &bytes)
{
    std::ofstream file(path.constData(), std::ios::binary | std::ios::trunc);
    ASSERT_TRUE(file.good());
    file.write(bytes.constData(), bytes.size());
    ASSERT_TRUE(file.good());
}

bool exists(const QByteArray &path)
{
    return std::ifstream(path.constData()).good();
}

class CommentStoreTest : public ::testing::Test
{
protected:
    QByteArray file(const QByteArray &name) const
    {
        return QByteArray::fromStdString(m_dir.file(name.toStdString()));
    }
    // Counted by their bytes: a listing that decodes names would miss those that are not UTF-8.
    std::ptrdiff_t fileCount() const
    {
        const std::filesystem::directory_iterator entries(m_dir.path());
        return std::distance(begin(entries), end(entries));
    }

    TempDir m_dir;
    CommentStore m_store{kBuiltLibrary};
};

TEST_F(CommentStoreTest, SaveReadDeleteThroughTheBuiltLibrary)
{
    const QByteArray path = file("doc.txt");
    put(path, "ABC");
    EXPECT_EQ(m_store.write(path, QStringLiteral("#.START.#two\r\nlines#.END.# ")), SCRIVLET_OK);
    EXPECT_EQ(contents(path), QByteArray("ABC#.START.#two\r\nlines#.END.# "));

    const CommentReadResult read = m_store.read(path);
    EXPECT_EQ(read.status, SCRIVLET_OK);
    EXPECT_EQ(read.text, QStringLiteral("two\r\nlines"));

    EXPECT_EQ(m_store.remove(path), SCRIVLET_OK);
    EXPECT_EQ(contents(path), QByteArray("ABC"));
    EXPECT_EQ(m_store.read(path).text, QString());
}

struct ReplaceCase
{
    const char *name;
    QByteArray before;
    QByteArray comment;
    std::uint32_t flags;
    int status;
    QByteArray after;
};

void PrintTo(const ReplaceCase &value, std::ostream *out)
{
    *out << value.name;
}

class CommentStoreReplace : public CommentStoreTest, public ::testing::WithParamInterface<ReplaceCase>
{
};

TEST_P(CommentStoreReplace, HandsTheCommentOverWithoutMarkers)
{
    const ReplaceCase &c = GetParam();
    const QByteArray path = file("doc");
    put(path, c.before);
    EXPECT_EQ(m_store.replace(path, c.comment, c.flags), c.status);
    EXPECT_EQ(contents(path), c.after);
    QList<QPair<QByteArray, int>> report;
    EXPECT_EQ(m_store.recover(&report), SCRIVLET_OK);
    EXPECT_TRUE(report.isEmpty()) << "nothing was left half done";
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommentStoreReplace,
    ::testing::Values(ReplaceCase{"NewComment", "ABC", "two\r\nlines", 0, SCRIVLET_OK,
                                  "ABC#.START.#two\r\nlines#.END.# "},
                      ReplaceCase{"OverAnOldOne", "ABC#.START.#old one#.END.# ", "new", 0, SCRIVLET_OK,
                                  "ABC#.START.#new#.END.# "},
                      ReplaceCase{"Removal", "ABC#.START.#old#.END.# ", QByteArray(), SCRIVLET_REPLACE_REMOVE,
                                  SCRIVLET_OK, "ABC"},
                      ReplaceCase{"MarkerRefused", "ABC", "a #.END.# b", 0, SCRIVLET_E_MARKER, "ABC"},
                      ReplaceCase{"Utf8BytesKeptWithTheFlag", "ABC", "caf\xC3\xA9", SCRIVLET_REPLACE_UTF8,
                                  SCRIVLET_OK, "ABC#.START.#caf\xC3\xA9#.END.# "},
                      ReplaceCase{"EightBitBytesDroppedWithoutIt", "ABC", "caf\xC3\xA9!", 0, SCRIVLET_OK,
                                  "ABC#.START.#caf!#.END.# "}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(CommentStoreTest, ReplaceNeedsAnExistingFile)
{
    const QByteArray path = file("missing");
    EXPECT_EQ(m_store.replace(path, "x"), SCRIVLET_E_NOENT);
    EXPECT_FALSE(exists(path));
}

// The length handed over counts the converted bytes: counting characters instead would cut the
// closing blank off a text with letters outside ASCII, and the file would carry no block.
TEST_F(CommentStoreTest, BlockLengthCountsTheEightBitBytes)
{
    const QByteArray path = file("f");
    EXPECT_EQ(m_store.write(path, QStringLiteral("#.START.#caf\u00e9 \u00fcber#.END.# ")), SCRIVLET_OK);
    EXPECT_EQ(contents(path), QByteArray("#.START.#caf ber#.END.# "));
    EXPECT_EQ(m_store.read(path).text, QStringLiteral("caf ber"));
}

// Stored bytes are shown as UTF-8 when they are valid UTF-8, else as Windows-1252; a read cut
// short inside a UTF-8 character leaves that character out rather than turn the rest into
// Windows-1252.
TEST_F(CommentStoreTest, ReadDecodesUtf8ElseWindows1252)
{
    const QByteArray path = file("f");
    put(path, "x#.START.#caf\xC3\xA9 \xE2\x80\x93#.END.# ");
    EXPECT_EQ(m_store.read(path).text, QStringView(u"café –").toString());
    EXPECT_EQ(m_store.read(path, 9).text, QStringView(u"café ").toString());
    put(path, "x#.START.#caf\xE9 \x96 \x81#.END.# ");
    EXPECT_EQ(m_store.read(path).text, QStringView(u"café – \uFFFD").toString());
    EXPECT_EQ(m_store.read(path, 5).text, QStringView(u"café").toString());
}

// Names go to the library as their own bytes: UTF-8 names and names that are not UTF-8 at all
// (a Latin-1 byte, as old archives carry) reach their own file and no other.
struct PathCase
{
    const char *name;
    QByteArray fileName;
};

void PrintTo(const PathCase &value, std::ostream *out)
{
    *out << value.name;
}

class CommentStorePathBytes : public CommentStoreTest, public ::testing::WithParamInterface<PathCase>
{
};

TEST_P(CommentStorePathBytes, ReachTheirFile)
{
    const QByteArray path = file(GetParam().fileName);
    put(path, "x");
    EXPECT_EQ(m_store.write(path, QStringLiteral("#.START.#n#.END.# ")), SCRIVLET_OK);
    EXPECT_EQ(contents(path), QByteArray("x#.START.#n#.END.# "));
    EXPECT_EQ(m_store.read(path).text, QStringLiteral("n"));
    EXPECT_EQ(m_store.replace(path, "m"), SCRIVLET_OK);
    EXPECT_EQ(contents(path), QByteArray("x#.START.#m#.END.# "));
    EXPECT_EQ(m_store.remove(path), SCRIVLET_OK);
    EXPECT_EQ(contents(path), QByteArray("x"));
    EXPECT_EQ(fileCount(), 1) << "a second file was made";
}

INSTANTIATE_TEST_SUITE_P(Names, CommentStorePathBytes,
                         ::testing::Values(PathCase{"utf8_name", "\xc3\xbc"
                                                                 "ber \xc3\xa9t\xc3\xa9.txt"},
                                           PathCase{"latin1_byte", "caf\xe9.txt"},
                                           PathCase{"no_utf8_at_all", "\xff\xfe"},
                                           PathCase{"broken_sequence", "bad \xc3(.txt"}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(CommentStoreTest, ReadHonoursTheCapacity)
{
    const QByteArray path = file("f");
    put(path, "#.START.#abcdef#.END.# ");
    const std::pair<int, QString> cases[] = {{0, QString()},
                                             {1, QString()},
                                             {3, QStringLiteral("ab")},
                                             {7, QStringLiteral("abcdef")},
                                             {100, QStringLiteral("abcdef")}};
    for (const auto &[capacity, text] : cases) {
        const CommentReadResult read = m_store.read(path, capacity);
        EXPECT_EQ(read.status, SCRIVLET_OK) << capacity;
        EXPECT_EQ(read.text, text) << capacity;
    }
}

TEST_F(CommentStoreTest, FailuresComeBackAsStatuses)
{
    const QByteArray missing = file("missing");
    const CommentReadResult read = m_store.read(missing);
    EXPECT_EQ(read.status, SCRIVLET_E_NOENT);
    EXPECT_EQ(read.text, QString());
    EXPECT_EQ(m_store.remove(missing), SCRIVLET_E_NOENT);
    EXPECT_FALSE(exists(missing));
    EXPECT_EQ(m_store.write(QByteArray::fromStdString(m_dir.path()), QStringLiteral("x")), SCRIVLET_E_NOTREG);
    EXPECT_EQ(m_store.write(file("f"), QString(SCRIVLET_MAX_TEXT + 1, QLatin1Char('x'))), SCRIVLET_E_TOOLONG);
    EXPECT_FALSE(exists(file("f")));
}

// Without an application object the store looks beside the executable, where the build puts the
// library too.
TEST(CommentStore, FindsTheLibraryInTheProgramsFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CommentStore store;
    EXPECT_EQ(store.read(QFile::encodeName(dir.filePath(QStringLiteral("missing")))).status,
              SCRIVLET_E_NOENT);
}

TEST(CommentStore, MissingLibraryRaisesATypedErrorForEveryOperation)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString library = dir.filePath(QStringLiteral("libNoSuchScrivlet.so"));
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("f")));
    CommentStore store(library);
    const std::pair<const char *, std::function<void()>> calls[] = {
        {"WriteComments", [&] { store.write(path, QStringLiteral("#.START.#x#.END.# ")); }},
        {"ReadComments", [&] { store.read(path); }},
        {"DelComments", [&] { store.remove(path); }},
    };
    for (const auto &[exportName, call] : calls) {
        try {
            call();
            ADD_FAILURE() << exportName << " did not raise";
        } catch (const LibraryUnavailable &error) {
            EXPECT_EQ(error.exportName(), QString::fromLatin1(exportName));
            EXPECT_TRUE(error.libraryFile().contains(QStringLiteral("libNoSuchScrivlet.so")));
            EXPECT_NE(std::string(error.what()).find(exportName), std::string::npos);
        }
    }
    EXPECT_FALSE(exists(path));
}

TEST(CommentStore, LibraryWithoutTheExportRaisesATypedError)
{
    CommentStore store(QStringLiteral("libm.so.6"));
    try {
        store.remove("/nonexistent");
        ADD_FAILURE() << "no error raised";
    } catch (const LibraryUnavailable &error) {
        EXPECT_EQ(error.exportName(), QStringLiteral("DelComments"));
        EXPECT_TRUE(error.libraryFile().contains(QStringLiteral("libm")));
    }
}

} // namespace
