#pragma once

#include <QList>
#include <QString>

/// A file that a save or delete run could not handle, and the library's status for it.
struct BatchFailure
{
    QString path;
    int status = 0;
};

/// What a save or delete run did: how many files it handled and which of them failed.
///
/// Every failure is counted; only the first few are kept, since a message can name only a few.
class BatchOutcome
{
public:
    static constexpr int KeptFailures = 5;

    /// Counts one handled file with its library status (0 = done).
    void record(const QString &path, int status);

    int handled() const { return m_handled; }
    int failed() const { return m_failed; }
    int succeeded() const { return m_handled - m_failed; }
    /// The first failures, in the order they happened (at most KeptFailures).
    const QList<BatchFailure> &firstFailures() const { return m_firstFailures; }

private:
    int m_handled = 0;
    int m_failed = 0;
    QList<BatchFailure> m_firstFailures;
};
