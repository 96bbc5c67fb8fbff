#pragma once

#include "app/model/comment_column_reader.h"
#include "app/model/comment_summary.h"

#include <QByteArray>
#include <QCache>
#include <QList>
#include <QObject>
#include <QSet>

namespace scrivlet {

/// The comments behind the file list's Comment column: read only for the rows asked for (the
/// rows a view shows), by a CommentColumnReader off the calling thread, and kept in a bounded
/// cache by path, the least recently shown going first. Whatever the list's length, memory and
/// reading follow what is looked at.
///
/// A change to the files or the list makes every kept comment stale: it is still shown, so
/// nothing flickers, but asked for again when next shown. Stale also is every comment whose
/// read was asked for before the latest change, since it may have read the file before it.
class CommentColumnCache : public QObject
{
    Q_OBJECT
public:
    /// How many comments are kept at most.
    static constexpr int CacheSize = 4096;

    explicit CommentColumnCache(QObject *parent = nullptr);
    /// Waits for the read in hand; its result, and those not yet handled, are dropped.
    ~CommentColumnCache() override;

    /// The summary of the comment of row @p rowId (file @p path) as last read, or null before the
    /// first read of it. Unless it is up to date, the row is asked for: its reads are sent to the
    /// reader together, newest first, once the calling thread's events are next handled.
    const CommentSummary *summary(quint64 rowId, const QByteArray &path);
    /// Files may have changed (a save, a delete, rows added): every comment is read again when
    /// next shown.
    void filesChanged();
    /// The list lost its rows: reads not yet done are dropped.
    void rowsCleared();
    /// Whether no read is asked for, waiting or in hand (results already sent may still wait in
    /// the event queue).
    bool isSettled() const;

signals:
    /// The comment of row @p rowId has been read and differs from what was shown.
    void filled(quint64 rowId);

private:
    struct Entry
    {
        CommentSummary summary;
        quint64 epoch = 0; // the change count its read was asked at
    };

    void sendAsked();
    void received(const CommentColumnReader::Request &row, const QString &text);

    QCache<QByteArray, Entry> m_cache{CacheSize};
    quint64 m_epoch = 1;                         // counts changes; entries of an older count are stale
    QList<CommentColumnReader::Request> m_asked; // since the last sending, in the order asked
    QSet<quint64> m_askedIds;
    CommentColumnReader *m_reader = nullptr; // made at the first read
};

} // namespace scrivlet
