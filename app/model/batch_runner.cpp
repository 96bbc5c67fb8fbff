#include "app/model/batch_runner.h"

#include <QElapsedTimer>

#include <algorithm>

namespace scrivlet {

BatchRunner::BatchRunner(std::chrono::milliseconds interval) : m_interval(interval)
{}

BatchOutcome BatchRunner::run(const QList<BatchTarget> &targets, const Wanted &wanted,
                              const Operation &operation, const ProgressSink &sink) const
{
    BatchOutcome outcome;
    const auto total = static_cast<int>(targets.size());
    QElapsedTimer sinceReport;
    sinceReport.start();
    for (int i = 0; i < total; ++i) {
        const BatchTarget &target = targets.at(i);
        if (wanted(target)) {
            const int status = operation(target.path);
            outcome.record(target.path, status);
        }
        const int done = i + 1;
        if (done == total || sinceReport.elapsed() >= m_interval.count()) {
            const bool goOn = !sink || sink(done, total);
            sinceReport.restart();
            if (!goOn && done < total) {
                // Counted now, after the event loop ran: rows unticked or cleared up to the stop
                // would not have been handled either.
                const auto left = std::count_if(targets.begin() + done, targets.end(), wanted);
                outcome.stop(static_cast<int>(left));
                break;
            }
        }
    }
    return outcome;
}

} // namespace scrivlet
