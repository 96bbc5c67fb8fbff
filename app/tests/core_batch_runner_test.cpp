#include "app/core/batch_report.h"
#include "app/core/batch_runner.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "scrivlet.h"

using namespace std::chrono_literals;

namespace {

QList<BatchTarget> targets(std::initializer_list<std::pair<const char *, bool>> items)
{
    QList<BatchTarget> list;
    for (const auto &[path, ticked] : items)
        list.append({QString::fromLatin1(path), ticked});
    return list;
}

TEST(BatchRunner, AppliesTheOperationToTickedTargetsOnlyInOrder)
{
    QStringList called;
    std::vector<std::pair<int, int>> reports;
    const BatchOutcome outcome = BatchRunner(0ms).run(
        targets({{"a", true}, {"b", false}, {"c", true}, {"d", false}}),
        [&](const QString &path) {
            called.append(path);
            return SCRIVLET_OK;
        },
        [&](int done, int total) { reports.emplace_back(done, total); });
    EXPECT_EQ(called, QStringList({"a", "c"}));
    EXPECT_EQ(outcome.handled(), 2);
    EXPECT_EQ(outcome.failed(), 0);
    // Unticked positions still count in the progress.
    const std::vector<std::pair<int, int>> expected{{1, 4}, {2, 4}, {3, 4}, {4, 4}};
    EXPECT_EQ(reports, expected);
}

TEST(BatchRunner, ALongIntervalStillReportsTheFinalState)
{
    std::vector<std::pair<int, int>> reports;
    int calls = 0;
    BatchRunner(1h).run(
        targets({{"a", true}, {"b", true}, {"c", true}}),
        [&](const QString &) {
            ++calls;
            return SCRIVLET_OK;
        },
        [&](int done, int total) { reports.emplace_back(done, total); });
    EXPECT_EQ(calls, 3);
    const std::vector<std::pair<int, int>> expected{{3, 3}};
    EXPECT_EQ(reports, expected);
}

TEST(BatchRunner, NoTickedTargetStillRunsTheProgressToTheEnd)
{
    std::vector<std::pair<int, int>> reports;
    const BatchOutcome outcome = BatchRunner(0ms).run(
        targets({{"a", false}, {"b", false}}),
        [](const QString &) -> int { throw std::logic_error("called"); },
        [&](int done, int total) { reports.emplace_back(done, total); });
    EXPECT_EQ(outcome.handled(), 0);
    const std::vector<std::pair<int, int>> expected{{1, 2}, {2, 2}};
    EXPECT_EQ(reports, expected);
}

TEST(BatchRunner, CountsFailuresAndKeepsTheFirstFew)
{
    QList<BatchTarget> list;
    for (int i = 0; i < 10; ++i)
        list.append({QStringLiteral("f%1").arg(i), true});
    // Every file but f0, f4 and f9 fails, with alternating reasons.
    const BatchOutcome outcome = BatchRunner(0ms).run(list,
                                                      [](const QString &path) {
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
    QStringList called;
    int reports = 0;
    EXPECT_THROW(BatchRunner(0ms).run(
                     targets({{"a", true}, {"b", true}, {"c", true}}),
                     [&](const QString &path) -> int {
                         called.append(path);
                         if (path == "b")
                             throw std::runtime_error("library gone");
                         return SCRIVLET_OK;
                     },
                     [&](int, int) { ++reports; }),
                 std::runtime_error);
    EXPECT_EQ(called, QStringList({"a", "b"}));
    EXPECT_EQ(reports, 1);
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

} // namespace
