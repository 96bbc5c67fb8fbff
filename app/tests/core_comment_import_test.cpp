#include "app/core/comment_import.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

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
    const CommentImport::Result result = CommentImport::load(writeFile(dir, "c.txt", bytes));
    if (GetParam().loaded) {
        EXPECT_EQ(result.status, CommentImport::Status::Loaded);
        EXPECT_EQ(result.text.toLatin1(), bytes);
    } else {
        EXPECT_EQ(result.status, CommentImport::Status::TooLarge);
        EXPECT_TRUE(result.text.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, CommentImportSize,
                         ::testing::Values(SizeCase{0, true}, SizeCase{1, true}, SizeCase{65'534, true},
                                           SizeCase{65'535, true}, SizeCase{65'536, false},
                                           SizeCase{1'000'000, false}));

TEST(CommentImport, TextKeepsLineBreaksAndEightBitLetters)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray bytes = "first line\r\nsecond \xC3\xA9t\xC3\xA9\r\n";
    const CommentImport::Result result = CommentImport::load(writeFile(dir, "c.txt", bytes));
    ASSERT_EQ(result.status, CommentImport::Status::Loaded);
    EXPECT_EQ(result.text, QString::fromUtf8(bytes));
    EXPECT_EQ(result.text.toLocal8Bit(), bytes);
}

TEST(CommentImport, WhatCannotBeOpenedIsReportedSo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = writeFile(dir, "plain.txt", "x");
    for (const QString &path : {dir.filePath("missing.txt"), dir.path(), file + "/below", QString()}) {
        const CommentImport::Result result = CommentImport::load(path);
        EXPECT_EQ(result.status, CommentImport::Status::CannotOpen) << path.toStdString();
        EXPECT_TRUE(result.text.isEmpty());
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
    EXPECT_EQ(CommentImport::load(path).status, CommentImport::Status::CannotOpen);
}

} // namespace
