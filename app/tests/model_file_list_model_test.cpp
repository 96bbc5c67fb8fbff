#include "app/model/file_list_model.h"
#include "tests/support/temp_dir.h"

#include <QMimeDatabase>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using namespace scrivlet;

namespace {

class FileListModelTest : public ::testing::Test
{
protected:
    // Paths are bytes, as the file system spells them: names need not be UTF-8.
    QByteArray make(const QByteArray &name, qint64 bytes = 1)
    {
        return QByteArray::fromStdString(
            m_dir.write(name.toStdString(), std::string(static_cast<std::size_t>(bytes), 'x')));
    }
    QByteArray folder() const { return QByteArray::fromStdString(m_dir.path()); }
    QByteArrayList paths() const
    {
        QByteArrayList out;
        for (int position = 1; position <= m_model.count(); ++position)
            out << m_model.pathAt(position);
        return out;
    }

    TempDir m_dir;
    FileListModel m_model;
};

TEST_F(FileListModelTest, LastAddedIsOnTopAndEveryColumnIsFilled)
{
    const QByteArray a = make(("a.txt"), 10);
    const QByteArray b = make(("b.png"), 2048);
    EXPECT_EQ(m_model.addFiles({a, b}), 2);
    EXPECT_EQ(m_model.addFiles({a}), 1);
    EXPECT_EQ(paths(), (QByteArrayList{a, b, a}));
    EXPECT_EQ(m_model.rowCount(), 3);
    EXPECT_EQ(m_model.columnCount(), 4);

    const QMimeDatabase db;
    const QModelIndex second = m_model.index(1, FileListModel::NameColumn);
    EXPECT_EQ(second.data().toString(), QStringLiteral("b.png"));
    EXPECT_EQ(m_model.index(1, FileListModel::SizeColumn).data().toString(), QStringLiteral("2.00 KB"));
    EXPECT_EQ(m_model.index(1, FileListModel::TypeColumn).data().toString(),
              db.mimeTypeForName(QStringLiteral("image/png")).comment());
    EXPECT_EQ(m_model.typeAt(1), db.mimeTypeForName(QStringLiteral("text/plain")).comment());
    EXPECT_EQ(second.data(FileListModel::PathRole).toByteArray(), b);
    EXPECT_EQ(m_model.sizeTextAt(3), QStringLiteral("10 bytes"));
}

TEST_F(FileListModelTest, UnknownKindsAreNamedAfterTheirExtension)
{
    m_model.addFiles({make(("data.zzqx")), make(("noextzzqx")), make(("other.ZzQy"))});
    EXPECT_EQ(m_model.typeAt(1), QStringLiteral("ZZQY File"));
    EXPECT_EQ(m_model.typeAt(2), QStringLiteral("File"));
    EXPECT_EQ(m_model.typeAt(3), QStringLiteral("ZZQX File"));
}

TEST_F(FileListModelTest, HeadersAndCheckableNameColumn)
{
    EXPECT_EQ(m_model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
    EXPECT_EQ(m_model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Size"));
    EXPECT_EQ(m_model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Type"));
    m_model.addFiles({make(("a"))});
    EXPECT_TRUE(m_model.flags(m_model.index(0, 0)).testFlag(Qt::ItemIsUserCheckable));
    EXPECT_FALSE(m_model.flags(m_model.index(0, 1)).testFlag(Qt::ItemIsUserCheckable));
    EXPECT_EQ(m_model.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(m_model.setData(m_model.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(m_model.isCheckedAt(1));
}

TEST_F(FileListModelTest, NameLosesOuterBlanksButPathKeepsThem)
{
    const QByteArray padded = make(("  spaced.txt "));
    m_model.addFiles({padded});
    EXPECT_EQ(m_model.nameAt(1), QStringLiteral("spaced.txt"));
    EXPECT_EQ(m_model.pathAt(1), padded);
}

TEST_F(FileListModelTest, PathsThatAreNoFilesAreSkipped)
{
    const QByteArray a = make(("a"));
    EXPECT_EQ(m_model.addFiles({folder() + "/missing", folder(), a}), 1);
    EXPECT_EQ(paths(), QByteArrayList{a});
}

TEST_F(FileListModelTest, ManyFilesReachTheViewInOneInsertion)
{
    const QByteArray a = make(("a"));
    int inserts = 0;
    int first = -1;
    int last = -1;
    QObject::connect(&m_model, &QAbstractItemModel::rowsInserted, [&](const QModelIndex &, int f, int l) {
        ++inserts;
        first = f;
        last = l;
    });
    m_model.addFiles({a});
    m_model.addFiles(QByteArrayList(5, a));
    EXPECT_EQ(inserts, 2);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 4);
}

TEST_F(FileListModelTest, TickingAndUntickingReachEveryRowBeyondSixteenBits)
{
    const QByteArray a = make(("a"));
    const int rows = 40000;
    m_model.addFiles(QByteArrayList(rows, a));
    m_model.checkAll();
    EXPECT_TRUE(m_model.isCheckedAt(1));
    EXPECT_TRUE(m_model.isCheckedAt(32768));
    EXPECT_TRUE(m_model.isCheckedAt(rows));
    EXPECT_EQ(m_model.checkedPositions().size(), rows);
    m_model.uncheckAll();
    EXPECT_TRUE(m_model.checkedPositions().isEmpty());
    m_model.clear();
    EXPECT_EQ(m_model.count(), 0);
}

TEST_F(FileListModelTest, CheckedPositionsCountFromTheTop)
{
    const QByteArray a = make(("a"));
    const QByteArray b = make(("b"));
    const QByteArray c = make(("c"));
    m_model.addFiles({a, b, c}); // shown c, b, a
    m_model.setCheckedAt(1, true);
    m_model.setCheckedAt(3, true);
    m_model.setCheckedAt(4, true); // no such row
    EXPECT_EQ(m_model.checkedPositions(), (QList<int>{1, 3}));
    EXPECT_EQ(m_model.index(2, 0).data(FileListModel::PathRole).toByteArray(), a);
    EXPECT_EQ(m_model.index(2, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

TEST_F(FileListModelTest, ClearForgetsPathsSoNewRowsPairWithTheirOwn)
{
    const QByteArray a = make(("a"));
    const QByteArray b = make(("b"));
    m_model.addFiles({a, a, a});
    m_model.checkAll();
    m_model.clear();
    EXPECT_EQ(m_model.pathAt(1), QByteArray());
    m_model.addFiles({b});
    EXPECT_EQ(paths(), QByteArrayList{b});
    EXPECT_FALSE(m_model.isCheckedAt(1));
}

TEST_F(FileListModelTest, ARowKeepsItsIdentityWhileRowsComeAndGo)
{
    const QByteArray a = make("a");
    const QByteArray b = make("b");
    m_model.addFiles({a, a, b}); // b, a, a from the top: two rows of one path
    const FileListModel::RowId top = m_model.idAt(1);
    const FileListModel::RowId second = m_model.idAt(2);
    const FileListModel::RowId third = m_model.idAt(3);
    EXPECT_NE(second, third) << "two rows of the same file are two rows";
    EXPECT_NE(top, 0u);
    EXPECT_EQ(m_model.positionOf(second), 2);

    m_model.addFiles({b, a}); // two new rows on top push the others down
    EXPECT_EQ(m_model.positionOf(top), 3);
    EXPECT_EQ(m_model.positionOf(second), 4);
    EXPECT_EQ(m_model.positionOf(third), 5);
    EXPECT_EQ(m_model.pathAt(m_model.positionOf(top)), b);

    m_model.clear();
    m_model.addFiles({a, b, a, b, a});
    for (const FileListModel::RowId gone : {top, second, third})
        EXPECT_EQ(m_model.positionOf(gone), 0) << "a cleared row's identity is not given to a new row";
    for (int position = 1; position <= m_model.count(); ++position)
        EXPECT_EQ(m_model.positionOf(m_model.idAt(position)), position);
}

TEST_F(FileListModelTest, OutOfRangePositionsAreHarmless)
{
    EXPECT_EQ(m_model.idAt(1), 0u);
    EXPECT_EQ(m_model.positionOf(0), 0);
    EXPECT_EQ(m_model.pathAt(0), QByteArray());
    EXPECT_EQ(m_model.pathAt(1), QByteArray());
    EXPECT_FALSE(m_model.isCheckedAt(-1));
    m_model.setCheckedAt(1, true);
    m_model.checkAll();
    EXPECT_TRUE(m_model.checkedPositions().isEmpty());
}

// Names the locale cannot decode keep their exact bytes for the library; the list shows them with
// a replacement character for each bad byte.
TEST_F(FileListModelTest, NamesThatAreNotUtf8KeepTheirBytesAndShowReplacementCharacters)
{
    const QByteArray latin1 = make("caf\xe9.txt", 3);
    const QByteArray broken = make("\xff\xfe", 4);
    EXPECT_EQ(m_model.addFiles({latin1, broken}), 2);
    EXPECT_EQ(paths(), (QByteArrayList{broken, latin1}));
    EXPECT_EQ(m_model.nameAt(2), QStringLiteral("caf\ufffd.txt"));
    EXPECT_EQ(m_model.nameAt(1), QStringLiteral("\ufffd\ufffd"));
    EXPECT_EQ(m_model.sizeTextAt(2), QStringLiteral("3 bytes"));
    EXPECT_EQ(m_model.typeAt(2), QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment());
    const QModelIndex name = m_model.index(1, FileListModel::NameColumn);
    EXPECT_EQ(name.data().toString(), QStringLiteral("caf\ufffd.txt"));
    EXPECT_EQ(name.data(FileListModel::PathRole).toByteArray(), latin1);
    EXPECT_EQ(name.data(Qt::ToolTipRole).toString(),
              QString::fromUtf8(folder()) + QStringLiteral("/caf\ufffd.txt"));
}

// After a save the sizes of the files it changed are taken again, on every row that lists one of
// them; other rows, and rows whose file has gone, keep their text.
TEST_F(FileListModelTest, RefreshedSizesReachEveryRowOfAChangedFileInOneNotice)
{
    const QByteArray a = make("a", 10);
    const QByteArray b = make("b", 20);
    const QByteArray c = make("c", 30);
    const QByteArray gone = make("gone", 40);
    m_model.addFiles({a, b, a, c, gone}); // shown gone, c, a, b, a
    m_dir.write("a", std::string(2048, 'y'));
    m_dir.write("b", std::string(5, 'y'));
    m_dir.write("c", std::string(1024, 'y'));
    ASSERT_EQ(std::remove(gone.constData()), 0);
    std::vector<std::pair<QModelIndex, QModelIndex>> changes;
    QObject::connect(&m_model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex &from, const QModelIndex &to) { changes.emplace_back(from, to); });
    m_model.refreshSizes({a, gone, folder() + "/never-listed"});
    QStringList sizes;
    for (int position = 1; position <= m_model.count(); ++position)
        sizes << m_model.sizeTextAt(position);
    EXPECT_EQ(sizes, QStringList({"40 bytes", "30 bytes", "2.00 KB", "20 bytes", "2.00 KB"}));
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0].first, m_model.index(2, FileListModel::SizeColumn));
    EXPECT_EQ(changes[0].second, m_model.index(4, FileListModel::SizeColumn));
    EXPECT_EQ(m_model.index(2, FileListModel::SizeColumn).data().toString(), QStringLiteral("2.00 KB"));
}

} // namespace
