#pragma once

#include "app/model/batch_outcome.h"

#include <QByteArray>
#include <QList>

#include <chrono>
#include <functional>

namespace scrivlet {

/// One position of a save or delete run: the file and the row that listed it when the run began.
struct BatchTarget
{
    QByteArray path;
    quint64 row = 0; // the row's identity in the file list
};

/// Walks the positions of a save or delete run, applies a library operation to each one that is
/// still wanted when its turn comes, and reports progress.
///
/// The positions are taken at the start and the progress counts them; whether a position is
/// handled is asked just before it, since the user may untick or remove its row while the run lets
/// the event loop run. Progress goes to a sink (which shows it and lets the event loop run) after
/// a position only when the interval has passed since the last report, and always after the last
/// position, so a long run over fast files stays responsive without spending its time repainting.
/// The sink stops the run by returning false: the file in hand is done by then, and no further one
/// is touched.
class BatchRunner
{
public:
    /// Applies the library call to one file; returns the library's status (0 = done).
    using Operation = std::function<int(const QByteArray &path)>;
    /// Whether a position is to be handled now (its row still there and ticked).
    using Wanted = std::function<bool(const BatchTarget &target)>;
    /// Shows "done of total" and lets the event loop run once; false stops the run.
    using ProgressSink = std::function<bool(int done, int total)>;

    static constexpr std::chrono::milliseconds DefaultInterval{30};

    explicit BatchRunner(std::chrono::milliseconds interval = DefaultInterval);

    /// Runs over @p targets in order. An exception thrown by @p operation ends the run and
    /// propagates; positions handled before it keep their result.
    BatchOutcome run(const QList<BatchTarget> &targets, const Wanted &wanted, const Operation &operation,
                     const ProgressSink &sink) const;

private:
    std::chrono::milliseconds m_interval;
};

} // namespace scrivlet
