// The list's Comment column as the user sees it: the rows in sight show the first line of their
// file's comment, read as they come into sight by scrolling, and again after a Save, a Delete and
// a file listed anew.
#include "ui_flows_fixture.h"
#include "ui_window_fixture.h"

#include "app/model/comment_summary.h"

#include <QDeadlineTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QTextDocument>
#include <QThread>
#include <QToolTip>
#include <QWheelEvent>

#include <sys/stat.h>

using namespace scrivlet;

namespace {

constexpr int kFiles = 60;
constexpr int kRemoved = 1;       // listed, then deleted
constexpr int kFifo = 2;          // listed, then replaced by a FIFO
constexpr int kLong = kFiles - 1; // the top row: a long comment with markup-like text

QString nameOf(int i)
{
    return QStringLiteral("f%1.txt").arg(i, 2, 10, QLatin1Char('0'));
}

// The stored comment of file i; every fourth file has none.
QByteArray commentOf(int i)
{
    if (i == kLong) {
        QByteArray text = "<b>not bold</b> first line of a long comment\r\n";
        while (text.size() < 1500)
            text += "more text of the long comment, ";
        return text;
    }
    if (i % 4 == 0)
        return {};
    return "Comment " + QByteArray::number(i) + "\r\nsecond line " + QByteArray::number(i);
}

class CommentColumn : public FlowsTest
{
protected:
    void SetUp() override
    {
        FlowsTest::SetUp();
        QStringList paths;
        for (int i = 0; i < kFiles; ++i) {
            const QByteArray comment = commentOf(i);
            paths << makeFile(nameOf(i), "data " + (comment.isEmpty() ? QByteArray() : block(comment)));
            m_shown.insert(nameOf(i), QString::fromLatin1(comment.left(comment.indexOf('\r'))));
        }
        addRows(paths);
        ASSERT_TRUE(QFile::remove(paths[kRemoved]));
        ASSERT_TRUE(QFile::remove(paths[kFifo]));
        ASSERT_EQ(::mkfifo(QFile::encodeName(paths[kFifo]).constData(), 0600), 0);
        m_shown[nameOf(kRemoved)].clear();
        m_shown[nameOf(kFifo)].clear();
    }

    FileListView *view() const { return m_window->fileList(); }

    // Lets the reads and the repaints they cause run until every cell the view asked for shows
    // what was read.
    void settle()
    {
        const QDeadlineTimer deadline(std::chrono::seconds(20));
        for (;;) {
            QCoreApplication::processEvents();
            if (model().commentsSettled()) {
                // The last results, and the repaint they ask for (which may ask for more).
                QCoreApplication::processEvents();
                if (model().commentsSettled())
                    return;
            }
            ASSERT_FALSE(deadline.hasExpired()) << "the comments in sight were never all read";
            QThread::msleep(1);
        }
    }

    // Every row in sight shows what its file's comment says; returns how many rows were in sight.
    int expectRowsInSightShowTheirComments()
    {
        settle();
        const int first = view()->rowAt(0);
        int last = view()->rowAt(view()->viewport()->height() - 1);
        if (last < 0)
            last = model().count() - 1;
        EXPECT_GE(first, 0);
        for (int row = first; row <= last && first >= 0; ++row) {
            const QString name = model().nameAt(row + 1);
            EXPECT_EQ(view()->model()->index(row, FileListModel::CommentColumn).data().toString(),
                      m_shown.value(name))
                << name.toStdString() << " in view row " << row;
        }
        return last - first + 1;
    }

    void wheel(int notches)
    {
        QWidget *viewport = view()->viewport();
        const QPointF at = QRectF(viewport->rect()).center();
        QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(viewport, &event);
    }

    int positionOfName(const QString &name) const
    {
        for (int position = 1; position <= model().count(); ++position) {
            if (model().nameAt(position) == name)
                return position;
        }
        return 0;
    }

    QHash<QString, QString> m_shown; // by file name: the first line its row must show
};

TEST_F(CommentColumn, RowsInSightShowTheirCommentsThroughScrollingSavingDeletingAndListing)
{
    const QHeaderView *header = view()->horizontalHeader();
    ASSERT_EQ(model().columnCount(), 4);
    EXPECT_EQ(model().headerData(FileListModel::CommentColumn, Qt::Horizontal).toString(), "Comment");
    EXPECT_TRUE(header->stretchLastSection());

    // The top rows, the long comment among them: its tool tip is the comment's start, shown as
    // the plain text it is, line breaks kept.
    ASSERT_GE(expectRowsInSightShowTheirComments(), 3);
    const QModelIndex longCell = view()->model()->index(0, FileListModel::CommentColumn);
    const QString tip = longCell.data(Qt::ToolTipRole).toString();
    const QString longText = QString::fromLatin1(commentOf(kLong)).replace("\r\n", "\n");
    EXPECT_EQ(tip, longText.left(CommentSummary::TipLength) + QChar(0x2026));
    const QPoint inCell = view()->visualRect(longCell).center();
    QHelpEvent help(QEvent::ToolTip, inCell, view()->viewport()->mapToGlobal(inCell));
    QCoreApplication::sendEvent(view()->viewport(), &help);
    ASSERT_TRUE(QToolTip::isVisible());
    QTextDocument shownTip;
    shownTip.setHtml(QToolTip::text());
    EXPECT_EQ(shownTip.toPlainText(), tip);
    QToolTip::hideText();

    // To the end by the scroll bar: the files without a comment, gone, and not a regular file
    // show nothing, and no message comes up.
    view()->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    expectRowsInSightShowTheirComments();
    const QRect bottomRow = view()->visualRect(view()->model()->index(kFiles - 1, 0));
    ASSERT_TRUE(view()->viewport()->rect().contains(bottomRow)) << "the bottom row is not in sight";
    // Up by the wheel, a notch at a time, through rows never shown before.
    for (int notch = 0; notch < 4; ++notch) {
        wheel(1);
        expectRowsInSightShowTheirComments();
    }
    EXPECT_TRUE(messages().empty());

    // A Save to one row in sight, then a Delete of it.
    const int position = view()->rowAt(0) + 2;
    const QString saved = model().nameAt(position);
    ASSERT_FALSE(saved.isEmpty());
    m_window->uncheckAllItems();
    clickTick(position);
    ASSERT_EQ(model().checkedPositions(), QList<int>{position});
    type("Saved here\nand below");
    click(m_window->saveButton());
    ASSERT_TRUE(bytesOf(m_dir.filePath(saved)).endsWith(block("Saved here\r\nand below")));
    m_shown[saved] = "Saved here";
    expectRowsInSightShowTheirComments();
    EXPECT_EQ(view()->model()->index(position - 1, FileListModel::CommentColumn).data(Qt::ToolTipRole),
              "Saved here\nand below");

    m_platform.queueAnswer(Platform::Answer::Yes);
    click(m_window->deleteButton());
    m_shown[saved].clear();
    expectRowsInSightShowTheirComments();

    // A file in sight changed behind the list's back, then listed again (on top): both its rows
    // show the new comment.
    const QString changed = model().nameAt(view()->rowAt(0) + 1);
    makeFile(changed, "new data " + block("Changed outside"));
    ASSERT_TRUE(drop({m_dir.filePath(changed)}));
    m_shown[changed] = "Changed outside";
    expectRowsInSightShowTheirComments();
    view()->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(model().nameAt(1), changed);
    expectRowsInSightShowTheirComments();
}

} // namespace
