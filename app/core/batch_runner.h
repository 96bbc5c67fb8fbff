#pragma once

#include "app/core/batch_outcome.h"

#include <QList>
#include <QString>

#include <chrono>
#include <functional>

/// One position of a save or delete run: the file and whether its row is ticked.
struct BatchTarget
{
    QString path;
    bool ticked = true;
};

/// Walks the positions of a save or delete run, applies a library operation to each ticked one
/// and reports progress.
///
/// Progress goes to a sink (which shows it and lets the event loop run) after a position only
/// when the interval has passed since the last report, and always after the last position, so a
/// long run over fast files stays responsive without spending its time repainting.
class BatchRunner
{
public:
    /// Applies the library call to one file; returns the library's status (0 = done).
    using Operation = std::function<int(const QString &path)>;
    /// Shows "done of total" and lets the event loop run once.
    using ProgressSink = std::function<void(int done, int total)>;

    static constexpr std::chrono::milliseconds DefaultInterval{30};

    explicit BatchRunner(std::chrono::milliseconds interval = DefaultInterval);

    /// Runs over @p targets in order. An exception thrown by @p operation ends the run and
    /// propagates; positions handled before it keep their result.
    BatchOutcome run(const QList<BatchTarget> &targets, const Operation &operation,
                     const ProgressSink &sink) const;

private:
    std::chrono::milliseconds m_interval;
};
