// Batch save over many ticked files: the window's Save (offscreen main window, real event-loop
// passes, throttled progress) against the same library calls in a plain loop.
//
//   bench_batch_save [files] [bytes-per-file] [fill]     (defaults: 10000 files of 1 MiB)
//
// Files are made sparse unless "fill" is given, so the set-up costs little disk; the library reads
// and cuts only their tails either way. Prints both times, their ratio and the longest stretch without an
// event-loop pass during the window's run.

#include "app/model/comment_store.h"
#include "app/model/editor_text.h"
#include "app/model/file_list_model.h"
#include "app/platform/qt_platform.h"
#include "app/ui/comment_flows.h"
#include "app/ui/main_window.h"

#include "app/ui/text_box.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace scrivlet;

namespace {

// Real event-loop passes, timed; dialogs are never expected in a run without failures.
class TimingPlatform : public QtPlatform
{
public:
    void processEvents() override
    {
        if (m_clock.isValid())
            m_longestGapMs = std::max(m_longestGapMs, static_cast<double>(m_clock.nsecsElapsed()) / 1e6);
        ++m_passes;
        QtPlatform::processEvents();
        m_clock.start();
    }
    Answer messageBox(const QString &text, const QString &, Icon, Buttons) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        ++m_messages;
        return Answer::Ok;
    }
    void startRun() { m_clock.start(); }

    double m_longestGapMs = 0;
    long m_passes = 0;
    int m_messages = 0;

private:
    QElapsedTimer m_clock;
};

QByteArrayList makeFiles(const QTemporaryDir &dir, int count, qint64 bytes, bool fill)
{
    const QByteArray content(static_cast<qsizetype>(fill ? bytes : 0), 'x');
    QByteArrayList paths;
    for (int i = 0; i < count; ++i) {
        const QString path = dir.filePath(QStringLiteral("f%1.bin").arg(i));
        QFile file(path);
        const bool made = fill ? file.open(QIODevice::WriteOnly) && file.write(content) == bytes
                               : file.open(QIODevice::WriteOnly) && file.resize(bytes);
        if (!made) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(path));
            std::exit(1);
        }
        paths.append(QFile::encodeName(path));
    }
    return paths;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const qint64 bytes = argc > 2 ? std::atoll(argv[2]) : 1 << 20;

    QTemporaryDir dir;
    const bool fill = argc > 3 && QByteArray(argv[3]) == "fill";
    const QByteArrayList paths = makeFiles(dir, files, bytes, fill);
    const QString comment = QStringLiteral("Benchmark comment, one line of ordinary text.");
    const QByteArray stored = EditorText::storedText(comment).toLatin1();

    // Plain loop: the same replace call per file that Save makes, nothing else (one warm-up
    // round first).
    CommentStore store;
    double plainMs = 0;
    for (int round = 0; round < 2; ++round) {
        QElapsedTimer clock;
        clock.start();
        for (const QByteArray &path : paths) {
            if (store.replace(path, stored) != 0) {
                std::fprintf(stderr, "library call failed on %s\n", path.constData());
                return 1;
            }
        }
        plainMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }

    // The window's Save over the same files, all ticked.
    TimingPlatform platform;
    MainWindow window(platform);
    window.addFileRows(paths);
    window.checkAllItems();
    window.show();
    window.commentEdit()->setText(comment);
    auto *flows = window.findChild<CommentFlows *>();
    if (!flows || window.fileModel()->count() != files) {
        std::fprintf(stderr, "window not set up\n");
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    platform.startRun();
    flows->saveClicked();
    const double windowMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    std::printf("files: %d of %lld bytes (%s)\n", files, static_cast<long long>(bytes),
                fill ? "filled" : "sparse");
    std::printf("plain loop:   %10.1f ms  (%.1f us/file)\n", plainMs, plainMs * 1000 / files);
    std::printf("window Save:  %10.1f ms  (%.1f us/file)\n", windowMs, windowMs * 1000 / files);
    std::printf("speed ratio (plain / window): %.2f  (target >= 0.50)\n", plainMs / windowMs);
    std::printf("event-loop passes: %ld, longest gap between passes: %.1f ms\n", platform.m_passes,
                platform.m_longestGapMs);
    return platform.m_messages == 0 ? 0 : 1;
}
