#include "app/model/comment_column_reader.h"

#include "app/model/comment_store.h"

#include <QSet>

#include <algorithm>

namespace scrivlet {

CommentColumnReader::CommentColumnReader(QObject *parent)
    : QObject(parent), m_store(std::make_unique<CommentStore>())
{
    qRegisterMetaType<Request>();
}

CommentColumnReader::~CommentColumnReader()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void CommentColumnReader::request(const QList<Request> &rows)
{
    if (rows.isEmpty())
        return;
    {
        const std::lock_guard lock(m_mutex);
        QSet<quint64> asked;
        for (const Request &row : rows)
            asked.insert(row.rowId);
        std::erase_if(m_queue, [&](const Request &waiting) { return asked.contains(waiting.rowId); });
        m_queue.insert(m_queue.begin(), rows.cbegin(), rows.cend());
        if (m_queue.size() > QueueLimit)
            m_queue.resize(QueueLimit);
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
    }
    m_wake.notify_one();
}

void CommentColumnReader::cancel()
{
    const std::lock_guard lock(m_mutex);
    m_queue.clear();
}

bool CommentColumnReader::isIdle() const
{
    const std::lock_guard lock(m_mutex);
    return m_queue.empty() && !m_reading;
}

void CommentColumnReader::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping)
            return;
        const Request row = std::move(m_queue.front());
        m_queue.pop_front();
        m_reading = true;
        lock.unlock();
        QString text;
        try {
            const CommentReadResult result = m_store->read(row.path, ReadBytes);
            if (result.status == 0)
                text = result.text;
        } catch (...) {
            // No library, or nothing left to allocate: the cell stays empty, as for any file
            // that cannot be read. Nothing may leave the thread.
        }
        emit read(row, text);
        lock.lock();
        m_reading = false;
    }
}

} // namespace scrivlet
