#include "app/model/file_list_model.h"

#include "app/model/comment_column_cache.h"
#include "app/model/file_path.h"
#include "app/model/format_size.h"

#include <QSet>

#include <algorithm>
#include <optional>

namespace scrivlet {

FileListModel::FileListModel(QObject *parent)
    : QAbstractTableModel(parent), m_comments(new CommentColumnCache(this))
{
    connect(m_comments, &CommentColumnCache::filled, this, [this](RowId id) {
        if (const int position = positionOf(id))
            emit dataChanged(index(position - 1, CommentColumn), index(position - 1, CommentColumn),
                             {Qt::DisplayRole, Qt::ToolTipRole});
    });
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int FileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

std::ptrdiff_t FileListModel::indexOfPosition(int position) const
{
    const auto size = static_cast<std::ptrdiff_t>(m_rows.size());
    if (position < 1 || position > size)
        return -1;
    return size - position;
}

const FileListModel::Row *FileListModel::rowAt(int position) const
{
    const std::ptrdiff_t i = indexOfPosition(position);
    return i < 0 ? nullptr : &m_rows[static_cast<std::size_t>(i)];
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Row *row = rowAt(index.row() + 1);
    if (row == nullptr)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NameColumn:
            return row->name;
        case SizeColumn:
            return row->sizeText;
        case TypeColumn:
            return row->type;
        case CommentColumn: {
            const CommentSummary *comment = m_comments->summary(row->id, row->path);
            return comment != nullptr ? comment->line : QString();
        }
        default:
            return {};
        }
    case Qt::CheckStateRole:
        if (index.column() == NameColumn)
            return row->checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case PathRole:
        return row->path;
    case Qt::ToolTipRole:
        if (index.column() == NameColumn)
            return FilePath::display(row->path);
        if (index.column() == CommentColumn) {
            const CommentSummary *comment = m_comments->summary(row->id, row->path);
            if (comment != nullptr && !comment->tip.isEmpty())
                return comment->tip;
        }
        return {};
    default:
        return {};
    }
}

bool FileListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != NameColumn || role != Qt::CheckStateRole)
        return false;
    const std::ptrdiff_t i = indexOfPosition(index.row() + 1);
    if (i < 0)
        return false;
    m_rows[static_cast<std::size_t>(i)].checked = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags FileListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == NameColumn)
        result |= Qt::ItemIsUserCheckable;
    return result;
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn:
        return QStringLiteral("Name");
    case SizeColumn:
        return QStringLiteral("Size");
    case TypeColumn:
        return QStringLiteral("Type");
    case CommentColumn:
        return QStringLiteral("Comment");
    default:
        return {};
    }
}

int FileListModel::addFiles(const QByteArrayList &paths)
{
    std::vector<Row> added;
    added.reserve(static_cast<std::size_t>(paths.size()));
    for (const QByteArray &path : paths) {
        const std::optional<std::int64_t> size = FilePath::fileSize(path);
        // A path that vanished or names no regular file has no length to show: skip it rather
        // than list a row no save could reach.
        if (!size)
            continue;
        Row row;
        const QString name = FilePath::display(FilePath::fileName(path));
        row.name = name.trimmed();
        row.sizeText = formatSize(*size);
        row.type = m_types.describe(name);
        row.path = path;
        row.id = ++m_lastId;
        added.push_back(std::move(row));
    }
    if (added.empty())
        return 0;
    // A file listed again may have changed since its comment was read.
    m_comments->filesChanged();
    // New rows go on top: stored last, shown first, in one insertion at view rows 0..n-1.
    const int n = static_cast<int>(added.size());
    beginInsertRows(QModelIndex(), 0, n - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    endInsertRows();
    return n;
}

void FileListModel::refreshSizes(const QByteArrayList &paths)
{
    if (paths.isEmpty() || m_rows.empty())
        return;
    const QSet<QByteArray> changed(paths.cbegin(), paths.cend());
    std::ptrdiff_t first = -1;
    std::ptrdiff_t last = -1;
    for (std::size_t stored = 0; stored < m_rows.size(); ++stored) {
        Row &row = m_rows[stored];
        if (!changed.contains(row.path))
            continue;
        const std::optional<std::int64_t> size = FilePath::fileSize(row.path);
        if (!size)
            continue;
        const QString text = formatSize(*size);
        if (text == row.sizeText)
            continue;
        row.sizeText = text;
        // View rows run the other way: the newest stored row is view row 0.
        const auto viewRow = static_cast<std::ptrdiff_t>(m_rows.size() - 1 - stored);
        first = first < 0 ? viewRow : std::min(first, viewRow);
        last = std::max(last, viewRow);
    }
    // One change notice over the span of changed rows, however many there are.
    if (first >= 0)
        emit dataChanged(index(static_cast<int>(first), SizeColumn),
                         index(static_cast<int>(last), SizeColumn), {Qt::DisplayRole});
}

void FileListModel::refreshComments()
{
    m_comments->filesChanged();
    // The view asks again for the cells it shows, and only those are read.
    if (!m_rows.empty())
        emit dataChanged(index(0, CommentColumn), index(count() - 1, CommentColumn),
                         {Qt::DisplayRole, Qt::ToolTipRole});
}

bool FileListModel::commentsSettled() const
{
    return m_comments->isSettled();
}

QByteArray FileListModel::pathAt(int position) const
{
    const Row *row = rowAt(position);
    return row ? row->path : QByteArray();
}

QString FileListModel::nameAt(int position) const
{
    const Row *row = rowAt(position);
    return row ? row->name : QString();
}

QString FileListModel::sizeTextAt(int position) const
{
    const Row *row = rowAt(position);
    return row ? row->sizeText : QString();
}

QString FileListModel::typeAt(int position) const
{
    const Row *row = rowAt(position);
    return row ? row->type : QString();
}

bool FileListModel::isCheckedAt(int position) const
{
    const Row *row = rowAt(position);
    return row != nullptr && row->checked;
}

void FileListModel::setCheckedAt(int position, bool checked)
{
    if (indexOfPosition(position) < 0)
        return;
    setData(index(position - 1, NameColumn), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

FileListModel::RowId FileListModel::idAt(int position) const
{
    const Row *row = rowAt(position);
    return row ? row->id : 0;
}

int FileListModel::positionOf(RowId id) const
{
    const auto found = std::lower_bound(m_rows.begin(), m_rows.end(), id,
                                        [](const Row &row, RowId wanted) { return row.id < wanted; });
    if (found == m_rows.end() || found->id != id)
        return 0;
    return count() - static_cast<int>(found - m_rows.begin());
}

QList<int> FileListModel::checkedPositions() const
{
    QList<int> positions;
    for (int position = 1; position <= count(); ++position) {
        if (rowAt(position)->checked)
            positions.append(position);
    }
    return positions;
}

void FileListModel::setAllChecked(bool checked)
{
    if (m_rows.empty())
        return;
    for (Row &row : m_rows)
        row.checked = checked;
    // One change notice for the whole column, however many rows there are.
    emit dataChanged(index(0, NameColumn), index(count() - 1, NameColumn), {Qt::CheckStateRole});
}

void FileListModel::checkAll()
{
    setAllChecked(true);
}

void FileListModel::uncheckAll()
{
    setAllChecked(false);
}

void FileListModel::checkAddedAfter(RowId last)
{
    for (Row &row : m_rows)
        row.checked = row.checked || row.id > last;
    if (!m_rows.empty())
        emit dataChanged(index(0, NameColumn), index(count() - 1, NameColumn), {Qt::CheckStateRole});
}

void FileListModel::clear()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_comments->rowsCleared();
    endResetModel();
}

} // namespace scrivlet
