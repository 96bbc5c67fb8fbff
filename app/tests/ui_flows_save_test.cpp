#include "ui_flows_fixture.h"

#include "tests/support/case_name.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace scrivlet;

namespace {

using Icon = Platform::Icon;

TEST_F(FlowsTest, SingleSaveWritesOneBlockAndSaysSo)
{
    const QString path = makeFile("a.bin", "ABC");
    addRows({path});
    type("hi");
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(path), "ABC" + block("hi"));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Comments saved successfully.");
    EXPECT_EQ(messages()[0].title, "Scrivlet 1.0");
    EXPECT_EQ(messages()[0].icon, Icon::Information);

    // Saving again replaces the block instead of adding a second one.
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(path), "ABC" + block("hi"));
    type("two\nlines");
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(path), "ABC" + block("two\r\nlines"));
    EXPECT_EQ(messages().size(), 3u);
}

TEST_F(FlowsTest, EverySaveTakesTheCommentAsTheBoxShowsItThen)
{
    const QString path = makeFile("m.txt", "");
    addRows({path});
    for (const char *comment : {"first", "second, longer", "3"}) {
        type(QString::fromLatin1(comment));
        click(m_window->saveButton());
        EXPECT_EQ(bytesOf(path), block(comment));
        EXPECT_EQ(m_window->commentMirror()->text(), comment) << "the mirror holds what was saved";
    }
}

struct RefusalCase
{
    const char *comment;
    int rows;
    const char *message;
    Icon icon;
};

void PrintTo(const RefusalCase &c, std::ostream *os)
{
    *os << (*c.comment != '\0' ? "a comment" : "no comment") << " and " << c.rows << " rows";
}

class SaveRefusal : public FlowsTest, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(SaveRefusal, TheCommentIsTestedBeforeTheList)
{
    const RefusalCase c = GetParam();
    QStringList paths;
    for (int i = 0; i < c.rows; ++i)
        paths.append(makeFile(QStringLiteral("f%1").arg(i), "data"));
    if (c.rows > 0)
        addRows(paths);
    type(QString::fromLatin1(c.comment));
    click(m_window->saveButton());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, c.message);
    EXPECT_EQ(messages()[0].title, "Scrivlet 1.0");
    EXPECT_EQ(messages()[0].icon, c.icon);
    for (const QString &path : paths)
        EXPECT_EQ(bytesOf(path), "data");
}

INSTANTIATE_TEST_SUITE_P(Order, SaveRefusal,
                         ::testing::Values(RefusalCase{"", 0, "Please enter comments.", Icon::Information},
                                           RefusalCase{"", 1, "Please enter comments.", Icon::Information},
                                           RefusalCase{"", 3, "Please enter comments.", Icon::Information},
                                           RefusalCase{"text", 0, "No file available to add comments.",
                                                       Icon::Exclamation}),
                         PrintedCaseName());

// The Size column tells the length of the file as it is: after a Save or a Delete, every row of a
// file that was handled shows its new length (a second, unticked row of the same file too), and
// the row of an unticked file keeps its own.
TEST_F(FlowsTest, SaveAndDeleteRefreshTheSizeOfEveryFileHandled)
{
    const QString a = makeFile("a.txt", QByteArray(1000, 'a'));
    const QString b = makeFile("b.txt", QByteArray(1000, 'b'));
    const QString c = makeFile("c.txt", QByteArray(1000, 'c'));
    addRows({a, b, c, a}); // shown a, c, b, a
    clickTick(2);          // c
    clickTick(4);          // the older row of a
    ASSERT_EQ(model().checkedPositions(), (QList<int>{1, 3}));
    const auto sizes = [this] {
        QStringList shown;
        for (int row = 0; row < model().rowCount(); ++row)
            shown.append(model().index(row, FileListModel::SizeColumn).data().toString());
        return shown;
    };
    EXPECT_EQ(sizes(), QStringList({"1000 bytes", "1000 bytes", "1000 bytes", "1000 bytes"}));

    type("a comment");
    click(m_window->saveButton());
    ASSERT_EQ(bytesOf(a), QByteArray(1000, 'a') + block("a comment"));
    ASSERT_EQ(bytesOf(c), QByteArray(1000, 'c'));
    EXPECT_EQ(sizes(), QStringList({"1.00 KB", "1000 bytes", "1.00 KB", "1.00 KB"}));

    m_platform.queueAnswer(Platform::Answer::Yes);
    click(m_window->deleteButton());
    ASSERT_EQ(bytesOf(a), QByteArray(1000, 'a'));
    EXPECT_EQ(sizes(), QStringList({"1000 bytes", "1000 bytes", "1000 bytes", "1000 bytes"}));
}

// A size text that grows ("5 bytes" to "1.10 KB") is shown whole, for one file and for a run over several.
TEST_F(FlowsTest, TheSizeColumnWidensForALongerSizeText)
{
    const QString one = makeFile("one.txt", "12345");
    addRows({one});
    m_window->autoSizeColumns();
    FileListView *list = m_window->fileList();
    const QAbstractItemView *view = list; // the size hint is public there
    const auto fits = [&] {
        return list->columnWidth(FileListModel::SizeColumn) >=
               view->sizeHintForColumn(FileListModel::SizeColumn);
    };
    const int fitted = list->columnWidth(FileListModel::SizeColumn);
    type(QString(1100, 'x'));
    click(m_window->saveButton());
    ASSERT_EQ(model().index(0, FileListModel::SizeColumn).data().toString(), "1.10 KB");
    EXPECT_GT(list->columnWidth(FileListModel::SizeColumn), fitted);
    EXPECT_TRUE(fits());

    // A run over several files, the list fitted to them again as adding files does.
    m_window->clearListView();
    addRows({makeFile("three.txt", "12345"), makeFile("four.txt", "12345")});
    m_window->autoSizeColumns();
    ASSERT_EQ(list->columnWidth(FileListModel::SizeColumn), fitted);
    click(m_window->saveButton());
    ASSERT_EQ(model().index(1, FileListModel::SizeColumn).data().toString(), "1.10 KB");
    EXPECT_GT(list->columnWidth(FileListModel::SizeColumn), fitted);
    EXPECT_TRUE(fits());
}

TEST_F(FlowsTest, BlanksAndLineBreaksAloneAreAComment)
{
    const QString path = makeFile("b.txt", "x");
    addRows({path});
    type("  \n");
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(path), "x" + block("  \r\n"));
}

TEST_F(FlowsTest, TheOnlyRowIsSavedEvenWhenUnticked)
{
    const QString path = makeFile("only.txt", "body");
    addRows({path});
    m_window->fileModel()->setCheckedAt(1, false);
    type("kept");
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(path), "body" + block("kept"));
}

TEST_F(FlowsTest, SingleSaveToAVanishedFileSaysSoAndCreatesNothing)
{
    const QString path = makeFile("gone.txt", "x");
    addRows({path});
    ASSERT_TRUE(QFile::remove(path));
    type("hi");
    click(m_window->saveButton());
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].icon, Icon::Exclamation);
    EXPECT_TRUE(messages()[0].text.contains(path)) << messages()[0].text.toStdString();
    EXPECT_TRUE(messages()[0].text.contains("no such file")) << messages()[0].text.toStdString();
}

TEST_F(FlowsTest, SingleSaveToAFolderIsReportedNotClaimed)
{
    const QString path = makeFile("later-a-folder", "x");
    addRows({path});
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    type("hi");
    click(m_window->saveButton());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].text, "Comments saved successfully.");
    EXPECT_TRUE(messages()[0].text.contains("not a regular file")) << messages()[0].text.toStdString();
}

// Makes a file unwritable for the test's user: permission bits, or for root (whom they do not
// stop) the immutable attribute, where the file system has one.
class UnwritableFile
{
public:
    explicit UnwritableFile(const QString &path) : m_path(path)
    {
        if (geteuid() != 0) {
            m_done = QFile::setPermissions(path, QFileDevice::ReadOwner);
            return;
        }
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        int flags = 0;
        if (m_fd >= 0 && ::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            m_done = ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
    }
    ~UnwritableFile()
    {
        if (m_fd >= 0) {
            int flags = 0;
            if (::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags);
            }
            ::close(m_fd);
        } else {
            QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
    }
    UnwritableFile(const UnwritableFile &) = delete;
    UnwritableFile &operator=(const UnwritableFile &) = delete;
    bool done() const { return m_done; }

private:
    QString m_path;
    int m_fd = -1;
    bool m_done = false;
};

TEST_F(FlowsTest, ReadOnlyFileIsReportedNotClaimed)
{
    const QString path = makeFile("ro.txt", "x" + block("old"));
    addRows({path});
    {
        const UnwritableFile unwritable(path);
        if (!unwritable.done())
            GTEST_SKIP() << "cannot make a file unwritable here";
        type("hi");
        click(m_window->saveButton());
    }
    EXPECT_EQ(bytesOf(path), "x" + block("old"));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains("no access")) << messages()[0].text.toStdString();
    EXPECT_FALSE(messages()[0].text.contains("successfully"));
}

TEST_F(FlowsTest, ACommentTooLongForTheLibraryKeepsTheOldOne)
{
    const QString a = makeFile("a.txt", "A" + block("old"));
    const QString b = makeFile("b.txt", "B" + block("old"));
    addRows({a});
    paste(QString(999'984, QLatin1Char('x')));
    click(m_window->saveButton());
    m_window->clearListView();
    addRows({a, b}); // now a batch
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(a), "A" + block("old"));
    EXPECT_EQ(bytesOf(b), "B" + block("old"));
    ASSERT_EQ(messages().size(), 2u);
    for (const auto &m : messages())
        EXPECT_TRUE(m.text.contains("too long")) << m.text.toStdString();
}

TEST_F(FlowsTest, TheLargestCommentIsPastedSavedAndReadBackExactly)
{
    const QString path = makeFile("big.txt", "head");
    addRows({path});
    // One line of the most bytes a comment holds, no two neighbours alike, so a byte lost or
    // doubled anywhere shows; blanks only now and then, so lines break mostly anywhere.
    QByteArray comment;
    comment.reserve(999'983);
    for (int i = 0; comment.size() < 999'983; ++i)
        comment.append(i % 997 == 996 ? ' ' : static_cast<char>(0x21 + i * 7 % 94));
    paste(QString::fromLatin1(comment));
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(path), "head" + block(comment));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Comments saved successfully.");
    type("replaced");
    clickRow(1);
    EXPECT_EQ(commentShown().toLatin1(), comment);
}

} // namespace
