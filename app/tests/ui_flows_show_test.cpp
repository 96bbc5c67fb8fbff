#include "ui_flows_fixture.h"

using namespace scrivlet;

namespace {

TEST_F(FlowsTest, ClickingARowShowsThatFilesComment)
{
    const QString plain = makeFile("plain.txt", "no block here");
    const QString multi = makeFile("multi.txt", "xyz" + block("first\r\nsecond\r\n\r\nfourth"));
    const QString hi = makeFile("hi.txt", "ABC" + block("hi"));
    addRows({plain, multi, hi}); // hi on top
    type("unsaved text");
    clickRow(1);
    EXPECT_EQ(commentShown(), "hi");
    clickRow(2);
    EXPECT_EQ(commentShown(), "first\nsecond\n\nfourth");
    EXPECT_EQ(m_window->commentEdit()->document()->blockCount(), 4);
    clickRow(3);
    EXPECT_TRUE(commentShown().isEmpty());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(bytesOf(hi), "ABC" + block("hi")) << "reading changes nothing";
}

TEST_F(FlowsTest, ARowWhoseFileVanishedShowsNothingAndCreatesNothing)
{
    const QString path = makeFile("vanishing.txt", block("was here"));
    addRows({path});
    ASSERT_TRUE(QFile::remove(path));
    type("typed");
    clickRow(1);
    EXPECT_TRUE(commentShown().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(messages().empty());
}

TEST_F(FlowsTest, SavedCommentShowsAgainOnTheRoadOfOneComment)
{
    const QString path = makeFile("road.txt", "content");
    m_platform.queueOpenFile(path); // Browse in "Single" mode picks the file
    click(m_window->browseButton());
    ASSERT_EQ(m_window->fileModel()->count(), 1);
    type("line one\nline two");
    click(m_window->saveButton());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Comments saved successfully.");
    type("");
    clickRow(1);
    EXPECT_EQ(commentShown(), "line one\nline two");
    m_platform.queueAnswer(Platform::Answer::Yes);
    EXPECT_TRUE(m_window->fileModel()->isCheckedAt(1)) << "a click on the row does not untick it";
    click(m_window->deleteButton());
    EXPECT_EQ(bytesOf(path), "content");
    clickRow(1);
    EXPECT_TRUE(commentShown().isEmpty());
}

} // namespace

// Browsing rows with the arrow keys after typing: one Ctrl+Z in the box brings the draft back,
// however many rows were read, and the reads pile nothing up in the history.
TEST_F(FlowsTest, ReadsKeepATypedDraftOneUndoAway)
{
    QStringList paths;
    for (int i = 0; i < 5; ++i)
        paths.append(makeFile(QStringLiteral("r%1.txt").arg(i), "x" + block(QByteArray::number(i))));
    addRows(paths); // r4 on top
    QPlainTextEdit *editor = m_window->commentEdit();
    clickRow(1);
    EXPECT_EQ(commentShown(), "4");
    EXPECT_FALSE(editor->document()->isUndoAvailable()) << "a read without a draft keeps no history";
    type("my draft");
    clickRow(1);
    const int steps = editor->document()->availableUndoSteps();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(m_window->fileList(), Qt::Key_Down);
    EXPECT_EQ(commentShown(), "0");
    EXPECT_EQ(editor->document()->availableUndoSteps(), steps) << "later reads add no undo step";
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(commentShown(), "my draft");
    EXPECT_TRUE(messages().empty()) << "no question on a read";

    // Delete empties the box the same way.
    type("second draft");
    m_platform.queueAnswer(Platform::Answer::Yes);
    click(m_window->deleteButton());
    EXPECT_TRUE(commentShown().isEmpty());
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(commentShown(), "second draft");
}
