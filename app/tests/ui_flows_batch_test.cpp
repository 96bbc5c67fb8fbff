#include "ui_flows_fixture.h"

using namespace scrivlet;

namespace {

constexpr unsigned kGreen = 0x00FF00;

// Four files f0..f3 with distinct contents; f3 ends on top (position 1), f0 at position 4.
class BatchFlowsTest : public FlowsTest
{
protected:
    void SetUp() override
    {
        FlowsTest::SetUp();
        for (int i = 0; i < 4; ++i)
            m_paths.append(makeFile(QStringLiteral("f%1.dat").arg(i), QByteArray(1 + i, char('a' + i))));
        addRows(m_paths);
        recordSteps();
    }

    QByteArray original(int i) const { return QByteArray(1 + i, char('a' + i)); }
    // The file shown at a 1-based position.
    int fileAt(int position) const { return 4 - position; }

    QStringList m_paths;
};

TEST_F(BatchFlowsTest, SavingTwiceLeavesOneBlockPerFile)
{
    type("same");
    click(m_window->saveButton());
    click(m_window->saveButton());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bytesOf(m_paths[i]), original(i) + block("same"));
}

TEST_F(BatchFlowsTest, SaveSaysHowItEndedAndThatNothingIsTicked)
{
    type("first");
    click(m_window->saveButton());
    EXPECT_EQ(m_window->statusBar()->currentMessage(), "Comment saved to 4 files.");
    m_steps.clear();
    QCheckBox *selectAll = m_window->selectAllCheck();
    QTest::mouseClick(selectAll, Qt::LeftButton, Qt::NoModifier, selectAll->rect().center());
    ASSERT_TRUE(model().checkedPositions().isEmpty());
    type("second");
    click(m_window->saveButton());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "No file is ticked.");
    EXPECT_EQ(messages()[0].title, "Scrivlet 1.0");
    EXPECT_EQ(messages()[0].icon, Platform::Icon::Exclamation);
    EXPECT_TRUE(m_steps.empty());
    EXPECT_EQ(m_window->progressBar()->percentage(), 100) << "the bar still shows the run before";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bytesOf(m_paths[i]), original(i) + block("first"));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return m_window->statusBar()->currentMessage() == "Total Files: 4"; }, 8000))
        << "the file count comes back after a few seconds";
}

TEST_F(BatchFlowsTest, FailuresAreCountedAndNamedOnce)
{
    ASSERT_TRUE(QFile::remove(m_paths[3])); // position 1: vanished
    ASSERT_TRUE(QFile::remove(m_paths[1])); // position 3: now a folder
    ASSERT_TRUE(QDir().mkdir(m_paths[1]));
    type("partly");
    click(m_window->saveButton());
    EXPECT_FALSE(QFileInfo::exists(m_paths[3])) << "a vanished file is not re-created";
    EXPECT_EQ(bytesOf(m_paths[0]), original(0) + block("partly"));
    EXPECT_EQ(bytesOf(m_paths[2]), original(2) + block("partly"));
    ASSERT_EQ(messages().size(), 1u);
    const QString text = messages()[0].text;
    EXPECT_EQ(messages()[0].title, "Scrivlet 1.0");
    EXPECT_EQ(messages()[0].icon, Platform::Icon::Exclamation);
    EXPECT_TRUE(text.contains("2 of 4")) << text.toStdString();
    EXPECT_TRUE(text.contains(m_paths[3] + ": no such file")) << text.toStdString();
    EXPECT_TRUE(text.contains(m_paths[1] + ": not a regular file")) << text.toStdString();
    EXPECT_EQ(stepLabels().last(), "100%");
}

TEST_F(BatchFlowsTest, ThreeRowsRoundTwoThirdsUp)
{
    m_window->clearListView();
    addRows(m_paths.mid(0, 3));
    type("x");
    click(m_window->saveButton());
    EXPECT_EQ(stepLabels(), QStringList({"33%", "67%", "100%"}));
    EXPECT_EQ(stepValues(), std::vector<int>({1, 2, 3}));
    for (const Step &step : m_steps) {
        EXPECT_EQ(step.max, 3);
        EXPECT_EQ(step.color, kGreen);
        EXPECT_TRUE(step.barVisible);
    }
    EXPECT_EQ(m_window->progressBar()->percentage(), 100);
}

TEST_F(BatchFlowsTest, ClicksDuringARunDoNotStartASecondOne)
{
    int nested = 0;
    m_platform.setProcessEventsHook([&] {
        ++nested;
        EXPECT_TRUE(m_flows->isRunning());
        click(m_window->saveButton());
        click(m_window->deleteButton());
    });
    m_platform.queueAnswer(Platform::Answer::Yes); // would confirm a nested delete
    type("once");
    click(m_window->saveButton());
    EXPECT_EQ(nested, 4);
    EXPECT_FALSE(m_flows->isRunning());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bytesOf(m_paths[i]), original(i) + block("once"));
    EXPECT_TRUE(messages().empty()) << "no confirmation was asked during the run";
}

TEST_F(BatchFlowsTest, RowsAddedOrClearedDuringARunDoNotRedirectIt)
{
    const QString newcomer = makeFile("new.dat", "n");
    bool added = false;
    m_platform.setProcessEventsHook([&] {
        if (!added) {
            added = true;
            m_window->addFileRows({QFile::encodeName(newcomer)}); // lands on top, shifting every position
            m_window->checkAllItems();
        }
    });
    type("fixed");
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(newcomer), "n");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bytesOf(m_paths[i]), original(i) + block("fixed")) << i;
}

} // namespace
