// The comment flows' decisions, against a window without widgets: what they write, what they show
// and when they ask.

#include "app/ui/comment_flows.h"
#include "fake_window_view.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

// Four files; file i is listed at position 4 - i, every row ticked.
class FlowsViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QByteArrayList paths;
        for (int i = 0; i < 4; ++i) {
            m_paths.append(m_dir.filePath(QStringLiteral("f%1.dat").arg(i)));
            write(m_paths.back(), original(i));
            paths.append(QFile::encodeName(m_paths.back()));
        }
        m_view.m_files.addFiles(paths);
        m_view.m_files.checkAll();
        m_flows.setProgressInterval(std::chrono::milliseconds(0));
    }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    static QByteArray bytesOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<unreadable>");
    }
    static QByteArray original(int i) { return QByteArray(1 + i, char('a' + i)); }
    static QByteArray block(const QByteArray &comment) { return "#.START.#" + comment + "#.END.# "; }
    std::vector<ScriptedPlatform::Call> messages() const { return m_view.m_platform.messages(); }

    // Every step of a run over four files, as the progress shows it.
    static std::vector<FakeWindowView::Step> fourSteps() { return {{1, 4}, {2, 4}, {3, 4}, {4, 4}}; }

    QTemporaryDir m_dir;
    QStringList m_paths;
    FakeWindowView m_view;
    CommentFlows m_flows{m_view, nullptr};
};

TEST_F(FlowsViewTest, SaveWritesTheTickedFilesOnlyWithHonestProgress)
{
    m_view.m_files.setCheckedAt(2, false); // file 2
    m_view.m_comment = QStringLiteral("note");
    m_flows.saveClicked();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bytesOf(m_paths[i]), i == 2 ? original(i) : original(i) + block("note")) << i;
    EXPECT_EQ(m_view.m_progressTotal, 4);
    EXPECT_EQ(m_view.m_steps, fourSteps());
    EXPECT_EQ(m_view.m_refreshed.size(), 3) << "the sizes of the written files are taken again";
    EXPECT_EQ(m_view.m_runningChanges, 2) << "the window knew of the run while it lasted";
    EXPECT_FALSE(m_view.m_running);
    EXPECT_EQ(m_view.m_comment, "note") << "a save leaves the comment as it is";
    EXPECT_EQ(m_view.m_summaries, QStringList{"Comment saved to 3 files."});
    EXPECT_GE(m_view.m_summaryMilliseconds, 2000) << "long enough to be read";
    EXPECT_EQ(m_view.m_saved, 1) << "the comment is no draft any more";
    EXPECT_TRUE(messages().empty()) << "a run without failures shows nothing";
}

TEST_F(FlowsViewTest, DeleteAsksThenCutsTheBlocksOfTickedFilesAndEmptiesTheComment)
{
    for (int i = 0; i < 4; ++i)
        write(m_paths[i], original(i) + block("c"));
    m_view.m_files.setCheckedAt(4, false); // file 0
    m_view.m_comment = QStringLiteral("typed before");
    m_view.m_platform.queueAnswer(Platform::Answer::Yes);
    m_flows.deleteClicked();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Do you want to delete the comments?");
    EXPECT_EQ(messages()[0].title, "Scrivlet 1.0");
    EXPECT_EQ(messages()[0].icon, Platform::Icon::None);
    EXPECT_EQ(messages()[0].buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(bytesOf(m_paths[0]), original(0) + block("c"));
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(bytesOf(m_paths[i]), original(i)) << i;
    EXPECT_EQ(m_view.m_steps, fourSteps());
    EXPECT_TRUE(m_view.m_comment.isEmpty());
    EXPECT_EQ(m_view.m_fills, 1) << "an empty box is not emptied again for every file";
    EXPECT_EQ(m_view.m_summaries, QStringList{"Comments deleted from 3 files."});
    EXPECT_EQ(m_view.m_saved, 0);
    EXPECT_EQ(m_view.m_files.count(), 4) << "rows stay";
}

// With nothing ticked, Save (of several rows) and Delete (of any) say so before anything else and
// run nothing; a single row is saved ticked or not.
TEST_F(FlowsViewTest, NothingTickedStopsSaveAndDeleteBeforeAnyQuestion)
{
    m_view.m_files.uncheckAll();
    m_view.m_comment = QStringLiteral("kept");
    m_view.m_platform.queueAnswer(Platform::Answer::Yes); // would confirm the delete
    m_flows.saveClicked();
    m_flows.deleteClicked();
    ASSERT_EQ(messages().size(), 2u) << "no confirmation was asked";
    for (const ScriptedPlatform::Call &call : messages()) {
        EXPECT_EQ(call.text, "No file is ticked.");
        EXPECT_EQ(call.title, "Scrivlet 1.0");
        EXPECT_EQ(call.icon, Platform::Icon::Exclamation);
    }
    EXPECT_EQ(m_view.m_progressTotal, -1) << "no run began";
    EXPECT_EQ(m_view.m_comment, "kept");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bytesOf(m_paths[i]), original(i)) << i;

    m_view.m_files.clear();
    m_view.m_files.addFiles({QFile::encodeName(m_paths[0])}); // unticked
    m_view.m_platform.clearCalls();
    m_flows.saveClicked();
    EXPECT_EQ(bytesOf(m_paths[0]), original(0) + block("kept"));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Comments saved successfully.");
}

} // namespace
