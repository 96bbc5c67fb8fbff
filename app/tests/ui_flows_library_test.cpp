#include "ui_flows_fixture.h"

#include "app/model/comment_store.h"

using namespace scrivlet;

namespace {

// The flows bound to a library file that does not exist.
class MissingLibraryTest : public FlowsTest
{
protected:
    void SetUp() override
    {
        FlowsTest::SetUp();
        m_flows->setStore(std::make_unique<CommentStore>(m_dir.filePath("no/libScrivlet.so")));
        for (int i = 0; i < 3; ++i)
            m_paths.append(makeFile(QStringLiteral("m%1.txt").arg(i), block("old")));
    }

    QStringList m_paths;
};

TEST_F(MissingLibraryTest, ABatchSaveSaysSoOnceAndChangesNothing)
{
    addRows(m_paths);
    type("new");
    click(m_window->saveButton());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].icon, Platform::Icon::Exclamation);
    EXPECT_TRUE(messages()[0].text.contains("library")) << messages()[0].text.toStdString();
    for (const QString &path : m_paths)
        EXPECT_EQ(bytesOf(path), block("old"));
}

TEST_F(MissingLibraryTest, ASingleSaveIsNotClaimed)
{
    addRows({m_paths[0]});
    type("new");
    click(m_window->saveButton());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].text, "Comments saved successfully.");
    EXPECT_TRUE(messages()[0].text.contains("library"));
}

TEST_F(MissingLibraryTest, ADeleteSaysSoOnce)
{
    addRows(m_paths);
    m_platform.queueAnswer(Platform::Answer::Yes);
    click(m_window->deleteButton());
    ASSERT_EQ(messages().size(), 2u); // the confirmation, then one report
    EXPECT_TRUE(messages()[1].text.contains("library"));
    for (const QString &path : m_paths)
        EXPECT_EQ(bytesOf(path), block("old"));
}

TEST_F(MissingLibraryTest, RowClicksReportItOnlyOnceAndEmptyTheBox)
{
    addRows(m_paths);
    type("typed");
    clickRow(1);
    clickRow(2);
    clickRow(3);
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_TRUE(commentShown().isEmpty());
}

} // namespace
