#include "ui_flows_fixture.h"

using namespace scrivlet;

namespace {

// Four commented files; file i ends at position 4 - i.
class DeleteFlowsTest : public FlowsTest
{
protected:
    void SetUp() override
    {
        FlowsTest::SetUp();
        for (int i = 0; i < 4; ++i)
            m_paths.append(makeFile(QStringLiteral("d%1.dat").arg(i), body(i) + block("c")));
        addRows(m_paths);
        recordSteps();
    }

    static QByteArray body(int i) { return QByteArray("body") + char('0' + i); }

    QStringList m_paths;
};

TEST_F(DeleteFlowsTest, NoChangesNothingAndShowsNoProgress)
{
    m_platform.queueAnswer(Platform::Answer::No);
    type("kept");
    click(m_window->deleteButton());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bytesOf(m_paths[i]), body(i) + block("c"));
    EXPECT_TRUE(m_steps.empty());
    EXPECT_TRUE(m_window->progressBar()->isHidden());
    EXPECT_EQ(commentShown(), "kept");
}

TEST_F(DeleteFlowsTest, FailuresAreReportedOnceAtTheEnd)
{
    ASSERT_TRUE(QFile::remove(m_paths[2]));
    m_platform.queueAnswer(Platform::Answer::Yes);
    click(m_window->deleteButton());
    ASSERT_EQ(messages().size(), 2u);
    const QString text = messages()[1].text;
    EXPECT_TRUE(text.startsWith("Comments could not be deleted from 1 of 4 files:")) << text.toStdString();
    EXPECT_TRUE(text.contains(m_paths[2] + ": no such file")) << text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(m_paths[2]));
    EXPECT_EQ(bytesOf(m_paths[3]), body(3));
}

TEST_F(FlowsTest, DeleteOnAnEmptyListAsksToOpenFiles)
{
    click(m_window->deleteButton()); // disabled while the list is empty: nothing at all
    EXPECT_TRUE(messages().empty());
    m_flows->deleteClicked();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, " Please open at least one file and try again.");
    EXPECT_EQ(messages()[0].title, "Error");
    EXPECT_EQ(messages()[0].icon, Platform::Icon::Exclamation);
}

} // namespace
