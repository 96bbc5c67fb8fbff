#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace scrivlet {

class CommentStore;

/// Reads the comments the file list's Comment column shows, on a thread of its own, so that no
/// file access ever holds up the window.
///
/// Rows wait in one queue, the latest request first: what the user looks at now is read before
/// what scrolled past. The queue is bounded; rows that fall off its end are simply not read (they
/// are asked for again when shown again). Each row's result goes back by a queued signal to the
/// thread the reader belongs to. Every read is the library's ReadComments, which holds the file's
/// shared lock only while it reads that one file, so a save waits at most for one file's read.
class CommentColumnReader : public QObject
{
    Q_OBJECT
public:
    /// One row to read: its identity as the list knows it, the path's bytes, and the list's count
    /// of changes when it was asked for (handed back with the result).
    struct Request
    {
        quint64 rowId = 0;
        QByteArray path;
        quint64 epoch = 0;
    };

    /// The most rows that wait; a screenful is a few dozen.
    static constexpr std::size_t QueueLimit = 2048;
    /// The bytes of a comment read for the column: far more than a cell or a tool tip shows.
    static constexpr int ReadBytes = 1024;

    /// Reads through its own binding to the library, found as the program finds it.
    explicit CommentColumnReader(QObject *parent = nullptr);
    /// Waits for the file in hand, if any; the rows still waiting are not read.
    ~CommentColumnReader() override;

    CommentColumnReader(const CommentColumnReader &) = delete;
    CommentColumnReader &operator=(const CommentColumnReader &) = delete;

    /// Puts @p rows before every waiting row, in their order; a row already waiting moves up.
    /// Starts the thread at the first call.
    void request(const QList<Request> &rows);
    /// Forgets every waiting row (the list was cleared).
    void cancel();
    /// Whether no row waits and none is being read.
    bool isIdle() const;

signals:
    /// The comment of a requested row; @p text is empty for a file without one or one that could
    /// not be read. Emitted on the reader's thread.
    void read(const scrivlet::CommentColumnReader::Request &row, const QString &text);

private:
    void run();

    std::unique_ptr<CommentStore> m_store; // used by the reader's thread only
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Request> m_queue; // guarded by m_mutex, as are the two flags
    bool m_reading = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace scrivlet

Q_DECLARE_METATYPE(scrivlet::CommentColumnReader::Request)
