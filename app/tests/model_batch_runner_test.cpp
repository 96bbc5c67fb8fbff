#include "app/model/batch_report.h"
#include "app/model/batch_runner.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "scrivlet.h"

using namespace scrivlet;

using namespace std::chrono_literals;

namespace {

// The rows of a run: a path and a tick each, the ticks changeable while the run goes on.
struct Rows
{
    Rows(std::initializer_list<std::pair<const char *, bool>> items)
    {
        for (const auto &[path, tick] : items) {
            targets.append({QByteArray(path), static_cast<quint64>(targets.size() + 1)});
            ticked.push_back(tick);
        }
    }
    BatchRunner::Wanted wanted()
    {
        return [this](const BatchTarget &target) { return ticked.at(target.row - 1); };
    }

    QList<BatchTarget> targets;
    std::vector<bool> ticked;
};

// An operation that records the paths it is given and succeeds.
BatchRunner::Operation recording(QByteArrayList &called)
{
    return [&called](const QByteArray &path) {
        called.append(path);
        return SCRIVLET_OK;
    };
}

TEST(BatchRunner, AppliesTheOperationToTickedTargetsOnlyInOrder)
{
    QByteArrayList called;
    std::vector<std::pair<int, int>> reports;
    Rows rows{{"a", true}, {"b", false}, {"c", true}, {"d", false}};
    const BatchOutcome outcome =
        BatchRunner(0ms).run(rows.targets, rows.wanted(), recording(called), [&](int done, int total) {
            reports.emplace_back(done, total);
            return true;
        });
    EXPECT_EQ(called, QByteArrayList({"a", "c"}));
    EXPECT_EQ(outcome.handled(), 2);
    EXPECT_EQ(outcome.failed(), 0);
    EXPECT_FALSE(outcome.stopped());
    // Unticked positions still count in the progress.
    const std::vector<std::pair<int, int>> expected{{1, 4}, {2, 4}, {3, 4}, {4, 4}};
    EXPECT_EQ(reports, expected);
}

TEST(BatchRunner, ALongIntervalStillReportsTheFinalState)
{
    std::vector<std::pair<int, int>> reports;
    QByteArrayList called;
    Rows rows{{"a", true}, {"b", true}, {"c", true}};
    BatchRunner(1h).run(rows.targets, rows.wanted(), recording(called), [&](int done, int total) {
        reports.emplace_back(done, total);
        return true;
    });
    EXPECT_EQ(called.size(), 3);
    const std::vector<std::pair<int, int>> expected{{3, 3}};
    EXPECT_EQ(reports, expected);
}

TEST(BatchRunner, NoTickedTargetStillRunsTheProgressToTheEnd)
{
    std::vector<std::pair<int, int>> reports;
    Rows rows{{"a", false}, {"b", false}};
    const BatchOutcome outcome = BatchRunner(0ms).run(
        rows.targets, rows.wanted(), [](const QByteArray &) -> int { throw std::logic_error("called"); },
        [&](int done, int total) {
            reports.emplace_back(done, total);
            return true;
        });
    EXPECT_EQ(outcome.handled(), 0);
    const std::vector<std::pair<int, int>> expected{{1, 2}, {2, 2}};
    EXPECT_EQ(reports, expected);
}

TEST(BatchRunner, CountsFailuresAndKeepsTheFirstFew)
{
    QList<BatchTarget> list;
    for (int i = 0; i < 10; ++i)
        list.append({"f" + QByteArray::number(i), static_cast<quint64>(i + 1)});
    // Every file but f0, f4 and f9 fails, with alternating reasons.
    const BatchOutcome outcome = BatchRunner(0ms).run(
        list, [](const BatchTarget &) { return true; },
        [](const QByteArray &path) {
            const int n = path.mid(1).toInt();
            if (n == 0 || n == 4 || n == 9)
                return SCRIVLET_OK;
            return n % 2 ? SCRIVLET_E_ACCESS : SCRIVLET_E_NOENT;
        },
        {});
    EXPECT_EQ(outcome.handled(), 10);
    EXPECT_EQ(outcome.failed(), 7);
    EXPECT_EQ(outcome.succeeded(), 3);
    ASSERT_EQ(outcome.firstFailures().size(), BatchOutcome::KeptFailures);
    EXPECT_EQ(outcome.firstFailures().at(0).path, "f1");
    EXPECT_EQ(outcome.firstFailures().at(0).status, SCRIVLET_E_ACCESS);
    EXPECT_EQ(outcome.firstFailures().at(1).path, "f2");
    EXPECT_EQ(outcome.firstFailures().at(1).status, SCRIVLET_E_NOENT);
    EXPECT_EQ(outcome.firstFailures().at(4).path, "f6");

    const QString text = BatchReport::summary(QStringLiteral("Comments could not be saved to"), outcome);
    EXPECT_TRUE(text.startsWith("Comments could not be saved to 7 of 10 files:")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nf1: no access")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nf2: no such file")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nf6: no such file")) << text.toStdString();
    EXPECT_FALSE(text.contains("f7")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("... and 2 more.")) << text.toStdString();
}

TEST(BatchRunner, AnExceptionEndsTheRunAfterTheFilesAlreadyHandled)
{
    QByteArrayList called;
    int reports = 0;
    Rows rows{{"a", true}, {"b", true}, {"c", true}};
    EXPECT_THROW(BatchRunner(0ms).run(
                     rows.targets, rows.wanted(),
                     [&](const QByteArray &path) -> int {
                         called.append(path);
                         if (path == "b")
                             throw std::runtime_error("library gone");
                         return SCRIVLET_OK;
                     },
                     [&](int, int) {
                         ++reports;
                         return true;
                     }),
                 std::runtime_error);
    EXPECT_EQ(called, QByteArrayList({"a", "b"}));
    EXPECT_EQ(reports, 1);
}

TEST(BatchRunner, TicksChangedDuringTheRunCountForTheFilesNotYetHandled)
{
    QByteArrayList called;
    std::vector<std::pair<int, int>> reports;
    Rows rows{{"a", true}, {"b", true}, {"c", false}, {"d", true}};
    BatchRunner(0ms).run(rows.targets, rows.wanted(), recording(called), [&](int done, int total) {
        reports.emplace_back(done, total);
        if (done == 1) {
            rows.ticked[0] = false; // already handled: stays handled
            rows.ticked[1] = false;
            rows.ticked[2] = true;
        }
        return true;
    });
    EXPECT_EQ(called, QByteArrayList({"a", "c", "d"}));
    const std::vector<std::pair<int, int>> expected{{1, 4}, {2, 4}, {3, 4}, {4, 4}};
    EXPECT_EQ(reports, expected);
}

struct StopCase
{
    const char *name;
    int stopAt;             // the report after which the sink says stop
    QByteArrayList handled; // the files handled by then
    int left;               // the ticked files not reached
    bool stopped;
};

void PrintTo(const StopCase &c, std::ostream *os)
{
    *os << c.name;
}

class BatchRunnerStop : public ::testing::TestWithParam<StopCase>
{
};

TEST_P(BatchRunnerStop, StopsAfterTheFileInHandAndCountsWhatIsLeft)
{
    const StopCase &c = GetParam();
    QByteArrayList called;
    int reports = 0;
    Rows rows{{"a", true}, {"b", false}, {"c", true}, {"d", true}, {"e", true}};
    const BatchOutcome outcome =
        BatchRunner(0ms).run(rows.targets, rows.wanted(), recording(called), [&](int done, int) {
            ++reports;
            if (done == c.stopAt)
                rows.ticked[3] = false; // unticked in the same pass: not counted as left
            return done != c.stopAt;
        });
    EXPECT_EQ(called, c.handled);
    EXPECT_EQ(reports, c.stopped ? c.stopAt : 5);
    EXPECT_EQ(outcome.stopped(), c.stopped);
    EXPECT_EQ(outcome.handled(), c.handled.size());
    EXPECT_EQ(outcome.left(), c.left);
    if (c.stopped) {
        EXPECT_EQ(BatchReport::stopped(outcome), QStringLiteral("Stopped after %1 of %2 files.")
                                                     .arg(c.handled.size())
                                                     .arg(c.handled.size() + c.left));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, BatchRunnerStop,
    ::testing::Values(StopCase{"after the first file", 1, {"a"}, 2, true},
                      StopCase{"after an unticked position", 2, {"a"}, 2, true},
                      StopCase{"before the last file", 4, {"a", "c", "d"}, 1, true},
                      StopCase{"at the end is a completed run", 5, {"a", "c", "d", "e"}, 0, false}),
    PrintedCaseName());

TEST(BatchReport, StoppedRunsCountOneFileInTheSingular)
{
    BatchOutcome outcome;
    outcome.stop(1);
    EXPECT_EQ(BatchReport::stopped(outcome), "Stopped after 0 of 1 file.");
    outcome.record("/x/a", SCRIVLET_OK);
    EXPECT_EQ(BatchReport::stopped(outcome), "Stopped after 1 of 2 files.");
}

TEST(BatchReport, NamesEveryFailureWhenFewAndNothingWhenNone)
{
    BatchOutcome outcome;
    outcome.record("/x/ok", SCRIVLET_OK);
    EXPECT_TRUE(BatchReport::summary("Comments could not be deleted from", outcome).isEmpty());

    outcome.record("/x/dir", SCRIVLET_E_NOTREG);
    const QString text = BatchReport::summary("Comments could not be deleted from", outcome);
    EXPECT_EQ(text, "Comments could not be deleted from 1 of 2 files:\n\n/x/dir: not a regular file");
}

// A name that is not UTF-8 is shown with a replacement character for each bad byte, the rest of
// the path as it is.
TEST(BatchReport, ShowsNamesThatAreNotUtf8WithReplacementCharacters)
{
    BatchOutcome outcome;
    outcome.record("/x/caf\xe9.txt", SCRIVLET_E_ACCESS);
    EXPECT_EQ(BatchReport::summary("Comments could not be saved to", outcome),
              QStringLiteral("Comments could not be saved to 1 of 1 file:\n\n/x/caf\ufffd.txt: no access"));
    EXPECT_EQ(BatchReport::single("Comments could not be saved to", "/x/caf\xe9.txt", SCRIVLET_E_ACCESS),
              QStringLiteral("Comments could not be saved to /x/caf\ufffd.txt: no access."));
}

} // namespace
