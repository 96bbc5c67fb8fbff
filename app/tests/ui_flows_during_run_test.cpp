// What the user does while a Save or Delete runs: ticks, Clear, Browse, drops, Escape and closing
// the window, all sent as real input in the event-loop passes between files; then every file is
// checked byte for byte.
#include "ui_flows_fixture.h"

#include "tests/support/case_name.h"

#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QRadioButton>
#include <QUrl>
#include <QWindow>

#include <functional>
#include <set>

using namespace scrivlet;

namespace {

constexpr int kFiles = 6;

// Six files f1 .. f6, each with its own data and comment, listed so that position K shows fK, all
// ticked.
class DuringRunTest : public FlowsTest
{
protected:
    void SetUp() override
    {
        FlowsTest::SetUp();
        for (int k = 1; k <= kFiles; ++k)
            m_paths.append(makeFile(QStringLiteral("f%1.dat").arg(k), original(k)));
        addRows(QStringList(m_paths.crbegin(), m_paths.crend())); // the last one listed ends on top
        for (int k = 1; k <= kFiles; ++k)
            ASSERT_EQ(model().pathAt(k), pathOf(k));
    }

    static QByteArray data(int k) { return QByteArray("data of f") + QByteArray::number(k); }
    static QByteArray original(int k) { return data(k) + block("old"); }
    QString pathOf(int k) const { return m_paths.at(k - 1); }

    // Runs `action` in the event-loop pass after the run's `step`-th position, once.
    void atStep(int step, std::function<void()> action)
    {
        m_platform.setProcessEventsHook([this, step, action = std::move(action)] {
            ++m_passes;
            XP_ProgressBar *bar = m_window->progressBar();
            m_steps.push_back({m_window->percentLabel()->text(), bar->value(), bar->maximum(), bar->color(),
                               !bar->isHidden()});
            if (m_passes == step)
                action();
        });
    }

    static void pressEscape(QWidget *widget)
    {
        ASSERT_NE(widget, nullptr);
        QTest::keyClick(widget, Qt::Key_Escape);
    }

    QStringList m_paths; // fK at index K - 1
    int m_passes = 0;
};

enum class Command { Save, Delete };

class ChangesDuringARun;

struct Change
{
    const char *name;
    std::set<int> unticked;  // the positions unticked before the run
    int step;                // the pass after which the user acts
    std::set<int> written;   // the positions whose files the run changes
    const char *stopMessage; // the message shown at the end, or null
    std::function<void(ChangesDuringARun &)> act;
};

struct ChangeCase
{
    Command command;
    Change change;
};

void PrintTo(const ChangeCase &c, std::ostream *os)
{
    *os << (c.command == Command::Save ? "Save " : "Delete ") << c.change.name;
}

class ChangesDuringARun : public DuringRunTest, public ::testing::WithParamInterface<ChangeCase>
{
public:
    // The test's own helpers, for the cases' actions.
    using DuringRunTest::clickTick;
    using DuringRunTest::makeFile;
    using DuringRunTest::pressEscape;
    using FlowsTest::click;
    using FlowsTest::drop;
    MainWindow &window() { return *m_window; }
    ScriptedPlatform &platform() { return m_platform; }
    QString folder(const QString &name) const { return m_dir.filePath(name); }
};

TEST_P(ChangesDuringARun, CountOnlyForTheFilesNotYetHandled)
{
    const ChangeCase &c = GetParam();
    for (const int position : c.change.unticked)
        clickTick(position);
    atStep(c.change.step, [&] { c.change.act(*this); });
    if (c.command == Command::Save) {
        type("new");
        click(m_window->saveButton());
    } else {
        m_platform.queueAnswer(Platform::Answer::Yes);
        click(m_window->deleteButton());
    }
    EXPECT_FALSE(m_flows->isRunning());
    const QByteArray changedTail = c.command == Command::Save ? block("new") : QByteArray();
    for (int k = 1; k <= kFiles; ++k) {
        const QByteArray expected = c.change.written.count(k) != 0 ? data(k) + changedTail : original(k);
        EXPECT_EQ(bytesOf(pathOf(k)), expected) << "f" << k;
    }
    for (const QFileInfo &other : QDir(m_dir.filePath("other")).entryInfoList(QDir::Files))
        EXPECT_EQ(bytesOf(other.filePath()), "g") << "a row listed during the run was written";
    // What the run told, the questions (Delete, Clear) left aside.
    std::vector<ScriptedPlatform::Call> shown;
    for (const ScriptedPlatform::Call &call : messages())
        if (call.buttons == Platform::Buttons::Ok)
            shown.push_back(call);
    if (c.change.stopMessage == nullptr) {
        EXPECT_TRUE(shown.empty()) << shown.front().text.toStdString();
    } else {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, c.change.stopMessage);
        EXPECT_EQ(shown[0].title, "Scrivlet 1.0");
        EXPECT_EQ(shown[0].icon, Platform::Icon::Information);
    }
    EXPECT_EQ(m_platform.pendingAnswers(), 0u);
    // The progress counts the rows there were at the start, whatever happened to them.
    ASSERT_FALSE(m_steps.empty());
    for (const Step &step : m_steps)
        EXPECT_EQ(step.max, kFiles);
}

const std::set<int> kAll{1, 2, 3, 4, 5, 6};

std::vector<Change> changes()
{
    return {
        {"untick_a_later_row_by_its_box",
         {},
         2,
         {1, 2, 3, 5, 6},
         nullptr,
         [](ChangesDuringARun &t) { t.clickTick(4); }},
        {"untick_a_handled_row_changes_nothing",
         {},
         3,
         kAll,
         nullptr,
         [](ChangesDuringARun &t) { t.clickTick(2); }},
        {"tick_a_later_unticked_row", {5}, 2, kAll, nullptr, [](ChangesDuringARun &t) { t.clickTick(5); }},
        // Files added meanwhile are ticked, but a row the user unticked stays out of the run.
        {"drop_keeps_an_unticked_row_out",
         {5},
         2,
         {1, 2, 3, 4, 6},
         nullptr,
         [](ChangesDuringARun &t) { EXPECT_TRUE(t.drop({t.makeFile(QStringLiteral("other/g1"), "g")})); }},
        {"browse_one_file_keeps_an_unticked_row_out",
         {5},
         2,
         {1, 2, 3, 4, 6},
         nullptr,
         [](ChangesDuringARun &t) {
             t.platform().queueOpenFile(t.makeFile(QStringLiteral("other/g1"), "g"));
             ChangesDuringARun::click(t.window().browseButton());
             ASSERT_EQ(t.window().fileModel()->count(), kFiles + 1);
             ASSERT_TRUE(t.window().fileModel()->isCheckedAt(1));
         }},
        {"untick_all_by_select_all",
         {},
         2,
         {1, 2},
         nullptr,
         [](ChangesDuringARun &t) { QTest::mouseClick(t.window().selectAllCheck(), Qt::LeftButton); }},
        {"clear_answered_yes",
         {},
         2,
         {1, 2},
         nullptr,
         [](ChangesDuringARun &t) {
             t.platform().queueAnswer(Platform::Answer::Yes);
             ChangesDuringARun::click(t.window().clearButton());
         }},
        {"clear_answered_no",
         {},
         2,
         kAll,
         nullptr,
         [](ChangesDuringARun &t) {
             t.platform().queueAnswer(Platform::Answer::No);
             ChangesDuringARun::click(t.window().clearButton());
         }},
        // The new rows stand where the old ones stood; none of them may be written.
        {"browse_a_folder_listing_other_files",
         {},
         3,
         {1, 2, 3},
         nullptr,
         [](ChangesDuringARun &t) {
             for (int k = 1; k <= kFiles; ++k)
                 t.makeFile(QStringLiteral("other/g%1").arg(k), "g");
             QTest::mouseClick(t.window().multipleOption(), Qt::LeftButton);
             t.platform().queueFolder(t.folder("other"));
             ChangesDuringARun::click(t.window().browseButton());
             ASSERT_EQ(t.window().fileModel()->count(), kFiles);
         }},
        {"escape_in_the_comment_box",
         {},
         2,
         {1, 2},
         "Stopped after 2 of 6 files.",
         [](ChangesDuringARun &t) { ChangesDuringARun::pressEscape(t.window().commentEdit()); }},
        {"escape_in_the_file_list",
         {},
         4,
         {1, 2, 3, 4},
         "Stopped after 4 of 6 files.",
         [](ChangesDuringARun &t) {
             t.window().fileList()->setFocus();
             ChangesDuringARun::pressEscape(t.window().fileList());
         }},
        {"escape_through_the_window_system",
         {},
         3,
         {1, 2, 3},
         "Stopped after 3 of 6 files.",
         [](ChangesDuringARun &t) { QTest::keyClick(t.window().windowHandle(), Qt::Key_Escape); }},
        {"escape_after_unticking_counts_what_was_left",
         {},
         1,
         {1},
         "Stopped after 1 of 4 files.",
         [](ChangesDuringARun &t) {
             t.clickTick(3);
             t.clickTick(6);
             ChangesDuringARun::pressEscape(QApplication::focusWidget());
         }},
        {"escape_after_the_last_file_is_a_completed_run",
         {},
         6,
         kAll,
         nullptr,
         [](ChangesDuringARun &t) { ChangesDuringARun::pressEscape(t.window().commentEdit()); }},
    };
}

std::vector<ChangeCase> changeCases()
{
    std::vector<ChangeCase> cases;
    for (const Command command : {Command::Save, Command::Delete})
        for (const Change &change : changes())
            cases.push_back({command, change});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(UserActs, ChangesDuringARun, ::testing::ValuesIn(changeCases()), PrintedCaseName());

TEST_F(DuringRunTest, ADropDuringARunDoesNotJoinItAndTheProgressKeepsItsCount)
{
    const QString newcomer = makeFile("dropped.dat", "dropped");
    atStep(2, [&] {
        EXPECT_TRUE(drop({newcomer}));
        ASSERT_EQ(model().count(), kFiles + 1);
        ASSERT_EQ(model().pathAt(1), newcomer);
        ASSERT_TRUE(model().isCheckedAt(1));
    });
    type("new");
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(newcomer), "dropped");
    for (int k = 1; k <= kFiles; ++k)
        EXPECT_EQ(bytesOf(pathOf(k)), data(k) + block("new")) << k;
    EXPECT_EQ(stepLabels(), QStringList({"17%", "33%", "50%", "67%", "83%", "100%"}));
    EXPECT_EQ(stepValues(), std::vector<int>({1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(DuringRunTest, AStopReportsTheFailuresSoFarInTheSameMessage)
{
    ASSERT_TRUE(QFile::remove(pathOf(1)));
    ASSERT_TRUE(QDir().mkdir(pathOf(1)));
    atStep(3, [&] { pressEscape(m_window->commentEdit()); });
    type("new");
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(pathOf(2)), data(2) + block("new"));
    EXPECT_EQ(bytesOf(pathOf(3)), data(3) + block("new"));
    for (int k = 4; k <= kFiles; ++k)
        EXPECT_EQ(bytesOf(pathOf(k)), original(k)) << k;
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text,
              "Stopped after 3 of 6 files.\n\nComments could not be saved to 1 of 3 files:\n\n" + pathOf(1) +
                  ": not a regular file");
    EXPECT_EQ(messages()[0].icon, Platform::Icon::Exclamation);
}

TEST_F(DuringRunTest, AStopDoesNotCarryOverToTheNextRun)
{
    atStep(1, [&] { pressEscape(m_window->commentEdit()); });
    type("first");
    click(m_window->saveButton());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Stopped after 1 of 6 files.");
    m_platform.setProcessEventsHook({});
    type("second");
    click(m_window->saveButton());
    EXPECT_EQ(messages().size(), 1u);
    for (int k = 1; k <= kFiles; ++k)
        EXPECT_EQ(bytesOf(pathOf(k)), data(k) + block("second")) << k;
}

struct CloseCase
{
    const char *name;
    std::function<void(MainWindow &)> close;
};

void PrintTo(const CloseCase &c, std::ostream *os)
{
    *os << c.name;
}

class ClosingDuringARun : public DuringRunTest, public ::testing::WithParamInterface<CloseCase>
{
};

TEST_P(ClosingDuringARun, FinishesTheFileInHandThenTheWindowGoes)
{
    int passes = 0;
    bool visibleAfterClose = false;
    m_platform.setProcessEventsHook([&] {
        ++passes;
        if (passes == 2) {
            GetParam().close(*m_window);
            visibleAfterClose = m_window->isVisible();
        }
    });
    type("new");
    click(m_window->saveButton());
    EXPECT_TRUE(visibleAfterClose) << "the window went while the run was still on the stack";
    EXPECT_EQ(passes, 2) << "the run went on after the close";
    EXPECT_TRUE(m_window->isVisible()) << "closed inside the run's handler";
    EXPECT_EQ(bytesOf(pathOf(1)), data(1) + block("new"));
    EXPECT_EQ(bytesOf(pathOf(2)), data(2) + block("new"));
    for (int k = 3; k <= kFiles; ++k)
        EXPECT_EQ(bytesOf(pathOf(k)), original(k)) << k;
    EXPECT_TRUE(messages().empty()) << "a window that goes says nothing about stopping";
    QCoreApplication::processEvents(); // the window's own event loop takes the deferred close
    EXPECT_FALSE(m_window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingDuringARun,
                         ::testing::Values(CloseCase{"by_the_window_system",
                                                     [](MainWindow &w) { w.windowHandle()->close(); }},
                                           CloseCase{"by_QWidget_close", [](MainWindow &w) { w.close(); }}),
                         PrintedCaseName());

TEST_F(DuringRunTest, AWindowClosedAfterARunGoesAtOnce)
{
    type("new");
    click(m_window->saveButton());
    m_window->windowHandle()->close();
    EXPECT_FALSE(m_window->isVisible());
}

} // namespace
