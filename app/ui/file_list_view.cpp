#include "app/ui/file_list_view.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextDocument>
#include <QToolTip>

namespace scrivlet {

FileListView::FileListView(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab moves between the window's controls, not from cell to cell.
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(true);
    connect(this, &QAbstractItemView::clicked, this, &FileListView::clickedRow);
}

void FileListView::mouseReleaseEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    m_tickBeforeRelease = index.isValid() ? index.siblingAtColumn(0).data(Qt::CheckStateRole) : QVariant();
    // Ticks through the item delegate when the release is on the tick box, then reports the click.
    QTableView::mouseReleaseEvent(event);
    m_tickBeforeRelease.clear();
}

void FileListView::clickedRow(const QModelIndex &index)
{
    if (index.siblingAtColumn(0).data(Qt::CheckStateRole) == m_tickBeforeRelease)
        emit rowChosen(index.row());
}

void FileListView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && current.isValid()) {
        // The tick box sits in the first column, whichever cell of the row is current.
        const QModelIndex tick = current.siblingAtColumn(0);
        if (tick.flags().testFlag(Qt::ItemIsUserCheckable)) {
            const bool ticked = tick.data(Qt::CheckStateRole).toInt() == Qt::Checked;
            model()->setData(tick, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
    const QModelIndex moved = currentIndex();
    if (moved.isValid() && moved.row() != current.row())
        emit rowChosen(moved.row());
}

QModelIndex FileListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // A table's Home and End stay in the row; a list's go to its first and last row.
    if (action == MoveHome || action == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

bool FileListView::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString tip = index.data(Qt::ToolTipRole).toString();
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        // As rich text a tip wraps its long lines; converted, "<b>" in a comment stays "<b>".
        QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(tip), viewport(), visualRect(index));
    return true;
}

} // namespace scrivlet
