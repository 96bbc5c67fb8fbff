// Adding a big folder: the recursive scan, the rows with their size texts and type descriptions,
// and a file list of a million rows in its view (insert, tick all, scroll to the end, clear).
// The tree is made once under /tmp and reused by later runs.
#include "app/model/file_list_model.h"
#include "app/model/folder_rows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <array>

using namespace scrivlet;

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 1000; // 100 x 1000 = 100,000 files

// 10 top folders with 9 sub-folders each (100 folders in all, two levels), every one holding
// 1000 small files of a mix of kinds.
QString benchTree()
{
    static const QString root = QDir::tempPath() + QStringLiteral("/scrivlet-bench-scan");
    static const bool made = [] {
        const QString marker = root + QStringLiteral("/.complete");
        if (QFile::exists(marker))
            return true;
        QDir(root).removeRecursively();
        static const std::array<const char *, 8> kinds{"txt", "png", "pdf", "jpg",
                                                       "cpp", "mp3", "zip", "html"};
        for (int f = 0; f < kFolders; ++f) {
            const QString folder = f % 10 == 0
                                       ? QStringLiteral("%1/top%2").arg(root).arg(f / 10)
                                       : QStringLiteral("%1/top%2/sub%3").arg(root).arg(f / 10).arg(f % 10);
            QDir().mkpath(folder);
            for (int i = 0; i < kFilesPerFolder; ++i) {
                QFile file(QStringLiteral("%1/file%2.%3")
                               .arg(folder)
                               .arg(i)
                               .arg(QLatin1String(kinds[static_cast<std::size_t>(i) % kinds.size()])));
                if (file.open(QIODevice::WriteOnly))
                    file.write(QByteArray(i % 200, 'x'));
            }
        }
        QFile marker_file(marker);
        return marker_file.open(QIODevice::WriteOnly);
    }();
    Q_UNUSED(made);
    return root;
}

void BM_ScanOnly(benchmark::State &state)
{
    const QString root = benchTree();
    for (auto _ : state) {
        const QByteArrayList paths = FolderRows::scan(QFile::encodeName(root), true);
        benchmark::DoNotOptimize(paths.size());
        state.counters["files"] = static_cast<double>(paths.size());
    }
}
BENCHMARK(BM_ScanOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

// What Browse in "Multiple" mode with sub-folders does: scan, then add every file as a row with
// its size text and type description, into a model shown by a view.
void BM_AddFolderOf100kFiles(benchmark::State &state)
{
    const QString root = benchTree();
    for (auto _ : state) {
        FileListModel model;
        QTableView view;
        view.setModel(&model);
        view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        model.addFiles(FolderRows::scan(QFile::encodeName(root), true));
        model.checkAll();
        benchmark::DoNotOptimize(model.typeAt(1));
        state.counters["rows"] = model.count();
    }
}
BENCHMARK(BM_AddFolderOf100kFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

// A million rows in the view. Insert: one insertion of a million rows (each a stat, a size text
// and a cached type). Use: tick all, jump to the last row and back, untick all, with repaints.
struct MillionRows
{
    MillionRows()
    {
        const QString root = benchTree();
        one = FolderRows::scan(QFile::encodeName(root) + "/top0/sub1", false).constFirst();
        view.resize(553, 153);
        view.verticalHeader()->hide();
        view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view.verticalHeader()->setDefaultSectionSize(17);
        view.show();
    }
    QByteArray one;
    QTableView view;
};

void BM_MillionRowsInsert(benchmark::State &state)
{
    MillionRows fixture;
    const QByteArrayList paths(1000000, fixture.one);
    for (auto _ : state) {
        FileListModel model;
        fixture.view.setModel(&model);
        model.addFiles(paths);
        // As after Browse: the columns fit their contents.
        fixture.view.resizeColumnToContents(0);
        fixture.view.resizeColumnToContents(1);
        QCoreApplication::processEvents();
        state.PauseTiming();
        fixture.view.setModel(nullptr);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MillionRowsInsert)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_MillionRowsUse(benchmark::State &state)
{
    MillionRows fixture;
    FileListModel model;
    fixture.view.setModel(&model);
    model.addFiles(QByteArrayList(1000000, fixture.one));
    QCoreApplication::processEvents();
    for (auto _ : state) {
        model.checkAll();
        fixture.view.scrollToBottom();
        QCoreApplication::processEvents();
        fixture.view.scrollToTop();
        QCoreApplication::processEvents();
        model.uncheckAll();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_MillionRowsUse)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MillionRowsClear(benchmark::State &state)
{
    MillionRows fixture;
    const QByteArrayList paths(1000000, fixture.one);
    for (auto _ : state) {
        state.PauseTiming();
        FileListModel model;
        fixture.view.setModel(&model);
        model.addFiles(paths);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        model.clear();
        QCoreApplication::processEvents();
        state.PauseTiming();
        fixture.view.setModel(nullptr);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MillionRowsClear)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
