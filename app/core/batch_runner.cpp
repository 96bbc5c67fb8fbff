#include "app/core/batch_runner.h"

#include <QElapsedTimer>

BatchRunner::BatchRunner(std::chrono::milliseconds interval) : m_interval(interval)
{}

BatchOutcome BatchRunner::run(const QList<BatchTarget> &targets, const Operation &operation,
                              const ProgressSink &sink) const
{
    BatchOutcome outcome;
    const auto total = static_cast<int>(targets.size());
    QElapsedTimer sinceReport;
    sinceReport.start();
    for (int i = 0; i < total; ++i) {
        const BatchTarget &target = targets.at(i);
        if (target.ticked) {
            const int status = operation(target.path);
            outcome.record(target.path, status);
        }
        const int done = i + 1;
        if (done == total || sinceReport.elapsed() >= m_interval.count()) {
            if (sink)
                sink(done, total);
            sinceReport.restart();
        }
    }
    return outcome;
}
