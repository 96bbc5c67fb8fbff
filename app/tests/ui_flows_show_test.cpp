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
