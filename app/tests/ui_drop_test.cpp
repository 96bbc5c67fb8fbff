#include "ui_flows_fixture.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

using namespace scrivlet;

namespace {

class DropTest : public FlowsTest
{
protected:
    // File names from the top row down.
    QStringList rowNames() const
    {
        QStringList names;
        for (int position = 1; position <= m_window->fileModel()->count(); ++position)
            names.append(QFileInfo(m_window->fileModel()->pathAt(position)).fileName());
        return names;
    }

    bool allTicked() const
    {
        for (int position = 1; position <= m_window->fileModel()->count(); ++position)
            if (!m_window->fileModel()->isCheckedAt(position))
                return false;
        return true;
    }

    QString statusText() const { return m_window->statusBar()->currentMessage(); }
};

TEST_F(DropTest, FilesGoOnTopOfTheRowsAlreadyListedAllTicked)
{
    const QString old = makeFile("old.txt", "o");
    addRows({old});
    m_window->uncheckAllItems();
    EXPECT_TRUE(drop({makeFile("one.txt", "1"), makeFile("two.txt", "2")}));
    EXPECT_EQ(rowNames(), QStringList({"two.txt", "one.txt", "old.txt"}));
    EXPECT_TRUE(allTicked());
    EXPECT_TRUE(m_window->deleteButton()->isEnabled());
    EXPECT_TRUE(m_window->clearButton()->isEnabled());
    EXPECT_EQ(statusText(), "Total Files: 3");
    EXPECT_TRUE(messages().empty());
}

TEST_F(DropTest, FolderWithAndWithoutSubFolders)
{
    makeFile("tree/x.txt", "x");
    makeFile("tree/A/y.txt", "y");
    makeFile("tree/B/z.txt", "z");
    const QString tree = m_dir.filePath("tree");

    EXPECT_TRUE(drop({tree}));
    EXPECT_EQ(rowNames(), QStringList({"x.txt"}));

    m_window->subfoldersCheck()->setChecked(true);
    EXPECT_TRUE(drop({tree}));
    EXPECT_EQ(rowNames(), QStringList({"z.txt", "y.txt", "x.txt", "x.txt"}));
    EXPECT_EQ(statusText(), "Total Files: 4");
}

TEST_F(DropTest, DbFilesAreLeftOutQuietlyButTheStatusIsRefreshed)
{
    EXPECT_TRUE(drop({makeFile("notes.db", "d")}));
    EXPECT_EQ(m_window->fileModel()->count(), 0);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(statusText(), "Total Files: 0");
    EXPECT_FALSE(m_window->deleteButton()->isEnabled());

    EXPECT_TRUE(drop({makeFile("folder/notes.db", "d"), makeFile("folder/KEEP.DB", "k")}));
    EXPECT_EQ(rowNames(), QStringList({"KEEP.DB"}));
}

TEST_F(DropTest, VanishedItemsAreSkippedAndTheRestKept)
{
    const QString gone = makeFile("gone.txt", "g");
    const QString kept = makeFile("kept.txt", "k");
    ASSERT_TRUE(QFile::remove(gone));
    EXPECT_TRUE(drop({gone, kept, m_dir.filePath("no-such-folder")}));
    EXPECT_EQ(rowNames(), QStringList({"kept.txt"}));
}

TEST_F(DropTest, ManyItemsInOneDrop)
{
    QStringList paths;
    for (int i = 0; i < 40'000; ++i)
        paths.append(m_dir.filePath(QStringLiteral("f%1").arg(i)));
    for (int i = 0; i < 5; ++i)
        makeFile(QStringLiteral("f%1").arg(39'995 + i), "x");
    EXPECT_TRUE(drop(paths)); // far beyond a 16-bit count; only the five existing are listed
    EXPECT_EQ(rowNames(), QStringList({"f39999", "f39998", "f39997", "f39996", "f39995"}));
}

TEST_F(DropTest, DraggedTextIsNotTaken)
{
    // Text that names an existing file, as a path and as a URL: still only text.
    const QString path = makeFile("named.txt", "n");
    QMimeData data;
    data.setText(path + QLatin1Char('\n') + QUrl::fromLocalFile(path).toString());
    const Answers answers = dragOnto(data);
    EXPECT_FALSE(answers.enterTaken);
    EXPECT_FALSE(answers.dropTaken);
    EXPECT_EQ(m_window->fileModel()->count(), 0);
    EXPECT_EQ(statusText(), "") << "nothing was treated as a drop";
}

struct UrlCase
{
    const char *name;
    const char *prefix; // put before the file's absolute path
    bool listed;
};

void PrintTo(const UrlCase &c, std::ostream *os)
{
    *os << c.name;
}

class DroppedUrls : public DropTest, public ::testing::WithParamInterface<UrlCase>
{
};

TEST_P(DroppedUrls, OnlyFilesOfThisMachineAreListed)
{
    const QString path = makeFile("dropped file.txt", "d");
    QMimeData data;
    data.setUrls({QUrl(QString::fromLatin1(GetParam().prefix) +
                       QString::fromLatin1(QUrl::toPercentEncoding(path, "/")))});
    const Answers answers = dragOnto(data);
    EXPECT_EQ(answers.enterTaken, GetParam().listed);
    EXPECT_EQ(answers.dropTaken, GetParam().listed);
    EXPECT_EQ(rowNames(), GetParam().listed ? QStringList({"dropped file.txt"}) : QStringList());
}

INSTANTIATE_TEST_SUITE_P(Forms, DroppedUrls,
                         ::testing::Values(UrlCase{"NoHost", "file://", true},
                                           UrlCase{"Localhost", "file://localhost", true},
                                           UrlCase{"LocalhostInCapitals", "file://LOCALHOST", true},
                                           UrlCase{"OtherHost", "file://fileserver", false},
                                           UrlCase{"Web", "https://localhost", false}),
                         [](const ::testing::TestParamInfo<UrlCase> &param) {
                             return std::string(param.param.name);
                         });

struct ActionCase
{
    const char *name;
    Qt::KeyboardModifiers modifiers;
    Qt::DropActions offered;
    Qt::DropAction proposed; // what the desktop proposes for these keys
};

void PrintTo(const ActionCase &c, std::ostream *os)
{
    *os << c.name;
}

class DropActions : public DropTest, public ::testing::WithParamInterface<ActionCase>
{
};

TEST_P(DropActions, TheSourceIsAlwaysToldCopy)
{
    const ActionCase &c = GetParam();
    const QString path = makeFile("kept.txt", "k");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    {
        const QDragEnterEvent probe(QPoint(5, 5), c.offered, &data, Qt::LeftButton, c.modifiers);
        ASSERT_EQ(probe.proposedAction(), c.proposed) << "the desktop's proposal for these keys";
    }
    const Answers answers = dragOnto(data, c.offered, c.modifiers);
    EXPECT_TRUE(answers.enterTaken);
    EXPECT_EQ(answers.enterAction, Qt::CopyAction);
    EXPECT_EQ(answers.moveAction, Qt::CopyAction);
    EXPECT_TRUE(answers.dropTaken);
    EXPECT_EQ(answers.dropAction, Qt::CopyAction);
    EXPECT_EQ(rowNames(), QStringList({"kept.txt"}));
    EXPECT_EQ(bytesOf(path), "k");
}

INSTANTIATE_TEST_SUITE_P(
    Drags, DropActions,
    ::testing::Values(ActionCase{"Plain", Qt::NoModifier, Qt::CopyAction | Qt::MoveAction, Qt::CopyAction},
                      ActionCase{"Shift", Qt::ShiftModifier, Qt::CopyAction | Qt::MoveAction, Qt::MoveAction},
                      ActionCase{"ShiftControl", Qt::ShiftModifier | Qt::ControlModifier,
                                 Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::LinkAction}),
    [](const ::testing::TestParamInfo<ActionCase> &param) { return std::string(param.param.name); });

TEST_F(DropTest, ASourceThatOnlyMovesIsRefused)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(makeFile("moved.txt", "m"))});
    const Answers answers = dragOnto(data, Qt::MoveAction);
    EXPECT_FALSE(answers.enterTaken);
    EXPECT_FALSE(answers.dropTaken);
    EXPECT_EQ(m_window->fileModel()->count(), 0);
}

} // namespace
