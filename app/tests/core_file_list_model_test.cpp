#include "app/core/file_list_model.h"

#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class FileListModelTest : public ::testing::Test
{
protected:
    QString make(const QString &name, qint64 bytes = 1)
    {
        const QString path = m_dir.path() + QLatin1Char('/') + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(bytes, 'x'));
        return path;
    }
    QStringList paths() const
    {
        QStringList out;
        for (int position = 1; position <= m_model.count(); ++position)
            out << m_model.pathAt(position);
        return out;
    }

    QTemporaryDir m_dir;
    FileListModel m_model;
};

TEST_F(FileListModelTest, LastAddedIsOnTopAndEveryColumnIsFilled)
{
    const QString a = make(QStringLiteral("a.txt"), 10);
    const QString b = make(QStringLiteral("b.png"), 2048);
    EXPECT_EQ(m_model.addFiles({a, b}), 2);
    EXPECT_EQ(m_model.addFiles({a}), 1);
    EXPECT_EQ(paths(), (QStringList{a, b, a}));
    EXPECT_EQ(m_model.rowCount(), 3);
    EXPECT_EQ(m_model.columnCount(), 3);

    const QMimeDatabase db;
    const QModelIndex second = m_model.index(1, FileListModel::NameColumn);
    EXPECT_EQ(second.data().toString(), QStringLiteral("b.png"));
    EXPECT_EQ(m_model.index(1, FileListModel::SizeColumn).data().toString(), QStringLiteral("2.00 KB"));
    EXPECT_EQ(m_model.index(1, FileListModel::TypeColumn).data().toString(),
              db.mimeTypeForName(QStringLiteral("image/png")).comment());
    EXPECT_EQ(m_model.typeAt(1), db.mimeTypeForName(QStringLiteral("text/plain")).comment());
    EXPECT_EQ(second.data(FileListModel::PathRole).toString(), b);
    EXPECT_EQ(m_model.sizeTextAt(3), QStringLiteral("10 bytes"));
}

TEST_F(FileListModelTest, UnknownKindsAreNamedAfterTheirExtension)
{
    m_model.addFiles({make(QStringLiteral("data.zzqx")), make(QStringLiteral("noextzzqx")),
                      make(QStringLiteral("other.ZzQy"))});
    EXPECT_EQ(m_model.typeAt(1), QStringLiteral("ZZQY File"));
    EXPECT_EQ(m_model.typeAt(2), QStringLiteral("File"));
    EXPECT_EQ(m_model.typeAt(3), QStringLiteral("ZZQX File"));
}

TEST_F(FileListModelTest, HeadersAndCheckableNameColumn)
{
    EXPECT_EQ(m_model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
    EXPECT_EQ(m_model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Size"));
    EXPECT_EQ(m_model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Type"));
    m_model.addFiles({make(QStringLiteral("a"))});
    EXPECT_TRUE(m_model.flags(m_model.index(0, 0)).testFlag(Qt::ItemIsUserCheckable));
    EXPECT_FALSE(m_model.flags(m_model.index(0, 1)).testFlag(Qt::ItemIsUserCheckable));
    EXPECT_EQ(m_model.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(m_model.setData(m_model.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(m_model.isCheckedAt(1));
}

TEST_F(FileListModelTest, NameLosesOuterBlanksButPathKeepsThem)
{
    const QString padded = make(QStringLiteral("  spaced.txt "));
    m_model.addFiles({padded});
    EXPECT_EQ(m_model.nameAt(1), QStringLiteral("spaced.txt"));
    EXPECT_EQ(m_model.pathAt(1), padded);
}

TEST_F(FileListModelTest, PathsThatAreNoFilesAreSkipped)
{
    const QString a = make(QStringLiteral("a"));
    EXPECT_EQ(m_model.addFiles({m_dir.path() + QStringLiteral("/missing"), m_dir.path(), a}), 1);
    EXPECT_EQ(paths(), QStringList{a});
}

TEST_F(FileListModelTest, ManyFilesReachTheViewInOneInsertion)
{
    const QString a = make(QStringLiteral("a"));
    int inserts = 0;
    int first = -1;
    int last = -1;
    QObject::connect(&m_model, &QAbstractItemModel::rowsInserted, [&](const QModelIndex &, int f, int l) {
        ++inserts;
        first = f;
        last = l;
    });
    m_model.addFiles({a});
    m_model.addFiles(QStringList(5, a));
    EXPECT_EQ(inserts, 2);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 4);
}

TEST_F(FileListModelTest, TickingAndUntickingReachEveryRowBeyondSixteenBits)
{
    const QString a = make(QStringLiteral("a"));
    const int rows = 40000;
    m_model.addFiles(QStringList(rows, a));
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
    const QString a = make(QStringLiteral("a"));
    const QString b = make(QStringLiteral("b"));
    const QString c = make(QStringLiteral("c"));
    m_model.addFiles({a, b, c}); // shown c, b, a
    m_model.setCheckedAt(1, true);
    m_model.setCheckedAt(3, true);
    m_model.setCheckedAt(4, true); // no such row
    EXPECT_EQ(m_model.checkedPositions(), (QList<int>{1, 3}));
    EXPECT_EQ(m_model.index(2, 0).data(FileListModel::PathRole).toString(), a);
    EXPECT_EQ(m_model.index(2, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

TEST_F(FileListModelTest, ClearForgetsPathsSoNewRowsPairWithTheirOwn)
{
    const QString a = make(QStringLiteral("a"));
    const QString b = make(QStringLiteral("b"));
    m_model.addFiles({a, a, a});
    m_model.checkAll();
    m_model.clear();
    EXPECT_EQ(m_model.pathAt(1), QString());
    m_model.addFiles({b});
    EXPECT_EQ(paths(), QStringList{b});
    EXPECT_FALSE(m_model.isCheckedAt(1));
}

TEST_F(FileListModelTest, ARowKeepsItsIdentityWhileRowsComeAndGo)
{
    const QString a = make(QStringLiteral("a"));
    const QString b = make(QStringLiteral("b"));
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
    EXPECT_EQ(m_model.pathAt(0), QString());
    EXPECT_EQ(m_model.pathAt(1), QString());
    EXPECT_FALSE(m_model.isCheckedAt(-1));
    m_model.setCheckedAt(1, true);
    m_model.checkAll();
    EXPECT_TRUE(m_model.checkedPositions().isEmpty());
}

} // namespace
