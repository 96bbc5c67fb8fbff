#pragma once

#include <QByteArray>
#include <QList>

namespace scrivlet {

/// A file that a save or delete run could not handle, and the library's status for it.
struct BatchFailure
{
    QByteArray path;
    int status = 0;
};

/// What a save or delete run did: how many files it handled and which of them failed, and whether
/// it was stopped before its end.
///
/// Every failure is counted; only the first few are kept, since a message can name only a few.
class BatchOutcome
{
public:
    static constexpr int KeptFailures = 5;

    /// Counts one handled file with its library status (0 = done).
    void record(const QByteArray &path, int status);

    int handled() const { return m_handled; }
    int failed() const { return m_failed; }
    int succeeded() const { return m_handled - m_failed; }

    /// Marks the run as stopped with @p left files still to handle.
    void stop(int left);
    bool stopped() const { return m_stopped; }
    /// The files a stopped run left alone that it would have handled.
    int left() const { return m_left; }
    /// The first failures, in the order they happened (at most KeptFailures).
    const QList<BatchFailure> &firstFailures() const { return m_firstFailures; }

private:
    int m_handled = 0;
    int m_failed = 0;
    int m_left = 0;
    bool m_stopped = false;
    QList<BatchFailure> m_firstFailures;
};

} // namespace scrivlet
