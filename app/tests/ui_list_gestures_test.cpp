// The file list and the comment box as a person uses them: the mouse on a row and on its tick box,
// the keyboard moving through the rows and between the controls.
#include "ui_flows_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace scrivlet;

namespace {

class ListGestures : public FlowsTest
{
protected:
    // Files named f1 .. fN, each carrying the comment "comment of fK"; listed so that f1 is on
    // top (position K shows fK) and all ticked.
    void listCommentedFiles(int count)
    {
        QStringList paths;
        for (int k = count; k >= 1; --k)
            paths << makeFile(QStringLiteral("f%1").arg(k), "data" + block(commentOf(k).toLatin1()));
        addRows(paths);
    }
    static QString commentOf(int position) { return QStringLiteral("comment of f%1").arg(position); }

    int currentPosition() const { return m_window->fileList()->currentIndex().row() + 1; }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
};

TEST_F(ListGestures, UntickingARowByItsBoxKeepsTheTypedCommentForTheOtherFiles)
{
    const QString a = makeFile("a.txt", "A" + block("a old"));
    const QString b = makeFile("b.txt", "B" + block("b old"));
    addRows({a, b}); // b on top
    type("my new comment");
    clickTick(1);
    EXPECT_FALSE(model().isCheckedAt(1)) << "the click on the box unticks b";
    EXPECT_TRUE(model().isCheckedAt(2));
    EXPECT_EQ(commentShown(), "my new comment") << "a click on the box reads nothing";
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(a), "A" + block("my new comment"));
    EXPECT_EQ(bytesOf(b), "B" + block("b old"));
    EXPECT_TRUE(messages().empty());

    clickTick(1);
    EXPECT_TRUE(model().isCheckedAt(1)) << "a second click ticks it again";
    EXPECT_EQ(commentShown(), "my new comment");
}

TEST_F(ListGestures, AClickOnTheRowReadsAndLeavesTheTickAlone)
{
    listCommentedFiles(3);
    for (int position : {2, 3, 1}) {
        clickRow(position);
        EXPECT_EQ(commentShown(), commentOf(position));
        EXPECT_TRUE(model().isCheckedAt(position));
    }
}

TEST_F(ListGestures, TickClicksOnAnUnreadableFileShowNoMessage)
{
    const QString path = makeFile("becomes-a-folder", "x");
    addRows({path, makeFile("other", "y")});
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    clickTick(2);
    clickTick(2);
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(model().isCheckedAt(2));
    clickRow(2); // reading it is what reports the failure
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains("not a regular file")) << messages()[0].text.toStdString();
}

struct MoveCase
{
    const char *name;
    int start; // the row clicked first
    Qt::Key key;
    int expected; // the row that is then current and read; 0: "a page away" (the view decides)
};

void PrintTo(const MoveCase &c, std::ostream *os)
{
    *os << c.name;
}

class KeyboardMoves : public ListGestures, public ::testing::WithParamInterface<MoveCase>
{
};

TEST_P(KeyboardMoves, MovingTheCurrentRowReadsItsComment)
{
    const MoveCase &c = GetParam();
    listCommentedFiles(30);
    clickRow(c.start);
    ASSERT_EQ(commentShown(), commentOf(c.start));
    ASSERT_EQ(QApplication::focusWidget(), m_window->fileList());
    press(c.key);
    const int now = currentPosition();
    if (c.expected > 0)
        EXPECT_EQ(now, c.expected);
    else
        EXPECT_GT(std::abs(now - c.start), 3) << "a page holds more than three rows";
    EXPECT_EQ(commentShown(), commentOf(now));
    EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyboardMoves,
    ::testing::Values(MoveCase{"Down", 5, Qt::Key_Down, 6}, MoveCase{"Up", 5, Qt::Key_Up, 4},
                      MoveCase{"Home", 5, Qt::Key_Home, 1}, MoveCase{"End", 5, Qt::Key_End, 30},
                      MoveCase{"PageDown", 2, Qt::Key_PageDown, 0},
                      MoveCase{"PageUp", 29, Qt::Key_PageUp, 0}),
    [](const ::testing::TestParamInfo<MoveCase> &param) { return std::string(param.param.name); });

TEST_F(ListGestures, AKeyThatMovesNothingReadsNothing)
{
    listCommentedFiles(3);
    clickRow(1);
    type("typed after reading");
    m_window->fileList()->setFocus();
    press(Qt::Key_Up); // already on top
    press(Qt::Key_Home);
    EXPECT_EQ(currentPosition(), 1);
    EXPECT_EQ(commentShown(), "typed after reading");
}

TEST_F(ListGestures, FocusComingIntoTheListReadsNothing)
{
    listCommentedFiles(3);
    type("unsaved words");
    press(Qt::Key_Backtab); // from the comment box back to the list
    ASSERT_EQ(QApplication::focusWidget(), m_window->fileList());
    EXPECT_TRUE(m_window->fileList()->currentIndex().isValid()) << "the view makes a row current";
    EXPECT_EQ(commentShown(), "unsaved words");

    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), m_window->commentEdit());
    // A click on the list below its rows.
    FileListView *view = m_window->fileList();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(20, view->viewport()->height() - 4));
    EXPECT_EQ(QApplication::focusWidget(), view);
    EXPECT_EQ(commentShown(), "unsaved words");

    // The first real move from there reads.
    press(Qt::Key_Down);
    EXPECT_EQ(commentShown(), commentOf(currentPosition()));
}

TEST_F(ListGestures, SpaceTicksTheCurrentRowWhicheverCellIsCurrent)
{
    listCommentedFiles(3);
    clickRow(2); // the "Type" cell becomes current
    ASSERT_EQ(commentShown(), commentOf(2));
    type("kept while ticking");
    m_window->fileList()->setFocus();
    press(Qt::Key_Space);
    EXPECT_FALSE(model().isCheckedAt(2));
    EXPECT_TRUE(model().isCheckedAt(1));
    EXPECT_TRUE(model().isCheckedAt(3));
    press(Qt::Key_Space);
    EXPECT_TRUE(model().isCheckedAt(2));
    EXPECT_EQ(commentShown(), "kept while ticking");
}

TEST_F(ListGestures, TabInTheCommentBoxMovesOnAndTypesNothing)
{
    type("no tab");
    QPlainTextEdit *editor = m_window->commentEdit();
    press(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), editor);
    EXPECT_EQ(commentShown(), "no tab");
    press(Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), editor);
    EXPECT_EQ(commentShown(), "no tab");
}

// The controls Tab visits, by their roles.
QList<QWidget *> tabStops(MainWindow &window)
{
    QList<QWidget *> stops;
    stops << window.fileList() << window.commentEdit() << window.pathEdit() << window.browseButton()
          << window.singleOption() << window.subfoldersCheck() << window.selectAllCheck()
          << window.keepDatesOption() << window.importButton() << window.aboutButton() << window.helpButton()
          << window.deleteButton() << window.clearButton() << window.saveButton();
    return stops;
}

TEST_F(ListGestures, TabAndShiftTabGoRoundEveryControlBothWays)
{
    listCommentedFiles(2);
    const QList<QWidget *> stops = tabStops(*m_window);
    m_window->fileList()->setFocus();
    QList<QWidget *> forward;
    for (qsizetype i = 0; i < stops.size(); ++i) {
        forward << QApplication::focusWidget();
        press(Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget(), m_window->fileList()) << "Tab comes round to the list";
    // Every stop once, the list and the comment box first.
    ASSERT_EQ(forward.size(), stops.size());
    EXPECT_EQ(forward.at(0), m_window->fileList());
    EXPECT_EQ(forward.at(1), m_window->commentEdit());
    for (QWidget *stop : stops)
        EXPECT_EQ(forward.count(stop), 1) << stop->objectName().toStdString();

    QList<QWidget *> backward;
    for (qsizetype i = 0; i < stops.size(); ++i) {
        press(Qt::Key_Backtab);
        backward.prepend(QApplication::focusWidget());
    }
    EXPECT_EQ(backward, forward) << "Shift+Tab walks the same ring the other way";
    EXPECT_EQ(model().isCheckedAt(1), true) << "Tab and Shift+Tab tick nothing";
    EXPECT_EQ(model().isCheckedAt(2), true);
}

TEST_F(ListGestures, ThePathBoxShowsWhatBrowseChoseAndTakesNoTyping)
{
    const QString path = makeFile("chosen.txt", "c");
    m_platform.queueOpenFile(path);
    click(m_window->browseButton());
    QLineEdit *box = m_window->pathEdit();
    ASSERT_EQ(box->text(), path);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, "typed");
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), path);
    EXPECT_TRUE(box->isReadOnly());
}

} // namespace
