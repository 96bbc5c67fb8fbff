#include "app/model/comment_import.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <utility>

using namespace scrivlet;

namespace {

enum class Outcome { CannotOpen, TooLarge, Loaded };

// The import's three steps as the command runs them.
std::pair<Outcome, QString> load(const QString &path)
{
    CommentImport import(path);
    if (!import.open())
        return {Outcome::CannotOpen, {}};
    if (import.tooLarge())
        return {Outcome::TooLarge, {}};
    const std::optional<QString> text = import.readText();
    if (!text)
        return {Outcome::CannotOpen, {}};
    return {Outcome::Loaded, *text};
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

struct SizeCase
{
    qsizetype bytes;
    bool loaded;
};

void PrintTo(const SizeCase &c, std::ostream *os)
{
    *os << c.bytes << " bytes " << (c.loaded ? "loaded" : "too large");
}

class CommentImportSize : public ::testing::TestWithParam<SizeCase>
{
};

TEST_P(CommentImportSize, AcceptsUpTo65535Bytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray bytes(GetParam().bytes, 'x');
    for (qsizetype i = 0; i < bytes.size(); i += 97)
        bytes[i] = '\n';
    const auto [status, text] = load(writeFile(dir, "c.txt", bytes));
    if (GetParam().loaded) {
        EXPECT_EQ(status, Outcome::Loaded);
        EXPECT_EQ(text.toLatin1(), bytes);
    } else {
        EXPECT_EQ(status, Outcome::TooLarge);
        EXPECT_TRUE(text.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, CommentImportSize,
                         ::testing::Values(SizeCase{0, true}, SizeCase{1, true}, SizeCase{65'534, true},
                                           SizeCase{65'535, true}, SizeCase{65'536, false},
                                           SizeCase{1'000'000, false}),
                         PrintedCaseName());

TEST(CommentImport, TextKeepsLineBreaksAndEightBitLetters)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray bytes = "first line\r\nsecond \xC3\xA9t\xC3\xA9\r\n";
    const auto [status, text] = load(writeFile(dir, "c.txt", bytes));
    ASSERT_EQ(status, Outcome::Loaded);
    EXPECT_EQ(text, QString::fromUtf8(bytes));
    EXPECT_EQ(text.toLocal8Bit(), bytes);
}

struct EncodingCase
{
    const char *name;
    QByteArray bytes;
    const char16_t *text;
};

void PrintTo(const EncodingCase &c, std::ostream *os)
{
    *os << c.name;
}

class CommentImportEncoding : public ::testing::TestWithParam<EncodingCase>
{
};

TEST_P(CommentImportEncoding, Utf8WhenValidElseWindows1252)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto [status, text] = load(writeFile(dir, "c.txt", GetParam().bytes));
    ASSERT_EQ(status, Outcome::Loaded);
    EXPECT_EQ(text, QStringView(GetParam().text).toString());
}

INSTANTIATE_TEST_SUITE_P(Table, CommentImportEncoding,
                         ::testing::Values(EncodingCase{"latin1", "caf\xE9 na\xEFve\r\n", u"café naïve\r\n"},
                                           EncodingCase{"windows1252",
                                                        "\x93quoted\x94 \x96 \x80"
                                                        "5",
                                                        u"“quoted” – €5"},
                                           EncodingCase{"utf8", "caf\xC3\xA9 \xE2\x82\xAC", u"café €"},
                                           EncodingCase{"utf8 byte order mark dropped",
                                                        "\xEF\xBB\xBF"
                                                        "caf\xC3\xA9",
                                                        u"café"},
                                           EncodingCase{"byte order mark dropped before windows1252",
                                                        "\xEF\xBB\xBF"
                                                        "caf\xE9",
                                                        u"café"}),
                         PrintedCaseName());

TEST(CommentImport, WhatCannotBeOpenedIsReportedSo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = writeFile(dir, "plain.txt", "x");
    for (const QString &path : {dir.filePath("missing.txt"), dir.path(), file + "/below", QString()}) {
        const auto [status, text] = load(path);
        EXPECT_EQ(status, Outcome::CannotOpen) << path.toStdString();
        EXPECT_TRUE(text.isEmpty());
    }
}

TEST(CommentImport, UnreadableFileCannotBeOpened)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root from reading";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = writeFile(dir, "secret.txt", "x");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    EXPECT_EQ(load(path).first, Outcome::CannotOpen);
}

} // namespace
