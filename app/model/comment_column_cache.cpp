#include "app/model/comment_column_cache.h"

#include <algorithm>

namespace scrivlet {

CommentColumnCache::CommentColumnCache(QObject *parent) : QObject(parent)
{}

CommentColumnCache::~CommentColumnCache()
{
    // Stopped while this object is whole: results it posts meanwhile die with this object.
    delete m_reader;
}

const CommentSummary *CommentColumnCache::summary(quint64 rowId, const QByteArray &path)
{
    const Entry *entry = m_cache.object(path);
    if ((entry == nullptr || entry->epoch != m_epoch) && !m_askedIds.contains(rowId)) {
        if (m_asked.isEmpty())
            QMetaObject::invokeMethod(this, &CommentColumnCache::sendAsked, Qt::QueuedConnection);
        m_asked.append({rowId, path, m_epoch});
        m_askedIds.insert(rowId);
    }
    return entry != nullptr ? &entry->summary : nullptr;
}

void CommentColumnCache::sendAsked()
{
    if (m_asked.isEmpty())
        return;
    if (m_reader == nullptr) {
        m_reader = new CommentColumnReader(this);
        connect(m_reader, &CommentColumnReader::read, this, &CommentColumnCache::received,
                Qt::QueuedConnection);
    }
    // A view asks for its rows top to bottom; the reader reads them in that order.
    m_reader->request(m_asked);
    m_asked.clear();
    m_askedIds.clear();
}

void CommentColumnCache::received(const CommentColumnReader::Request &row, const QString &text)
{
    CommentSummary summary = CommentSummary::of(text);
    const Entry *old = m_cache.object(row.path);
    const bool changed = old == nullptr || old->summary != summary;
    m_cache.insert(row.path, new Entry{std::move(summary), row.epoch});
    if (changed)
        emit filled(row.rowId);
}

void CommentColumnCache::filesChanged()
{
    ++m_epoch;
}

void CommentColumnCache::rowsCleared()
{
    ++m_epoch;
    m_asked.clear();
    m_askedIds.clear();
    if (m_reader != nullptr)
        m_reader->cancel();
}

bool CommentColumnCache::isSettled() const
{
    return m_asked.isEmpty() && (m_reader == nullptr || m_reader->isIdle());
}

} // namespace scrivlet
