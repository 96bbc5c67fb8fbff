#pragma once

#include <QTableView>
#include <QVariant>

namespace scrivlet {

/// The file list as a report view: whole rows, no grid, no row numbers, rows of one fixed height
/// (so the view never measures rows and stays quick with a million of them), a tick box on every
/// row.
///
/// A click on a row's tick box only ticks or unticks it, and Space ticks or unticks the current
/// row whichever cell is current. Choosing a row to read its file is told apart from that:
/// rowChosen() follows a click on the row away from its tick box, and a move of the current row
/// by the keyboard (arrows, Home, End, Page Up/Down, typing a name). Home and End go to the first
/// and last row, as in a list. Focus coming into the list
/// chooses nothing, even when the view makes a row current then. Tab and Shift+Tab leave the
/// list for the next or previous control.
///
/// A cell's tool tip shows its text as plain text, wrapped: a comment is never taken for markup.
class FileListView : public QTableView
{
    Q_OBJECT
public:
    static constexpr int RowHeight = 17;

    explicit FileListView(QWidget *parent = nullptr);

signals:
    /// The user chose view row @p row to read.
    void rowChosen(int row);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool viewportEvent(QEvent *event) override;

private:
    void clickedRow(const QModelIndex &index);

    // The tick of the row under the pointer before its release is handled: a release on the tick
    // box changes it, which tells that click apart from a click on the row.
    QVariant m_tickBeforeRelease;
};

} // namespace scrivlet
