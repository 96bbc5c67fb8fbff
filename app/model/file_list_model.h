#pragma once

#include "app/model/file_type_cache.h"

#include <QAbstractTableModel>
#include <QByteArrayList>
#include <QList>

#include <cstdint>
#include <vector>

namespace scrivlet {

class CommentColumnCache;

// The file list: one row per added file with its name, size text, type description, comment, tick
// and full path. Paths are kept as bytes (as the file system spells them, see FilePath); name, tool tip and
// type are decoded from them only for display. The newest row is shown on top. Rows are stored oldest first
// and shown reversed, so adding on top is O(1) whatever the row count; the view row of stored index i is size
// - 1 - i. "Positions" are 1-based view rows (position 1 is the top row), as the comment flows count them.
// Positions shift whenever rows come or go; a row's RowId names it for as long as it lives and is
// never given to another row, so a run that started over some rows can tell whether each of them
// is still there.
//
// The comment is read only for the rows whose Comment cell is asked for, and not at once: the
// cell is empty until the file's comment has been read off this thread (see CommentColumnCache), then
// the cell's change is announced. It holds the comment's first line, its tool tip the start of it.
class FileListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { NameColumn = 0, SizeColumn = 1, TypeColumn = 2, CommentColumn = 3, ColumnCount = 4 };
    enum Role { PathRole = Qt::UserRole + 1 }; // the path's bytes (QByteArray)
    using RowId = quint64;

    explicit FileListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Adds each path as a new top row, unticked, in the given order (the last path ends on top):
    // name = the file name with outer blanks removed, size = formatSize(length), type = the
    // description of its name. Paths that name no readable file are skipped. All rows reach the
    // views in one insertion. Returns the number of rows added.
    int addFiles(const QByteArrayList &paths);

    // Takes the size of every row whose path is among `paths` again (after a save or delete
    // changed those files), leaving the rows of files that are gone as they were.
    void refreshSizes(const QByteArrayList &paths);
    // Reads the comments shown again (after a save or delete changed files), showing the old ones
    // until then.
    void refreshComments();
    // Whether every Comment cell asked for so far has been read (its result may still wait in
    // the event queue).
    bool commentsSettled() const;

    int count() const { return static_cast<int>(m_rows.size()); }

    // The row at 1-based `position` (1 = top). Out-of-range positions give empty text / false.
    QByteArray pathAt(int position) const;
    QString nameAt(int position) const;
    QString sizeTextAt(int position) const;
    QString typeAt(int position) const;
    bool isCheckedAt(int position) const;
    void setCheckedAt(int position, bool checked);

    // The identity of the row at `position`, or 0 (no row has it) when out of range.
    RowId idAt(int position) const;
    // The position of the row named `id`, or 0 when that row is gone (cleared).
    int positionOf(RowId id) const;

    // The ticked positions, top first.
    QList<int> checkedPositions() const;

    void checkAll();
    void uncheckAll();
    // Ticks only the rows added after the row named `last` (ids only grow).
    void checkAddedAfter(RowId last);
    // The id the newest row got, 0 before any.
    RowId lastId() const { return m_lastId; }

    // Removes every row, paths included.
    void clear();

private:
    struct Row
    {
        QString name;
        QString sizeText;
        QString type;
        QByteArray path;
        RowId id = 0;
        bool checked = false;
    };

    // Stored index of the row at a 1-based position, or -1.
    std::ptrdiff_t indexOfPosition(int position) const;
    const Row *rowAt(int position) const;
    void setAllChecked(bool checked);

    std::vector<Row> m_rows; // ids ascending: rows are only appended, and removed all at once
    RowId m_lastId = 0;      // never reset, so a cleared row's id is never reused
    FileTypeCache m_types;
    CommentColumnCache *m_comments = nullptr; // a child
};

} // namespace scrivlet
