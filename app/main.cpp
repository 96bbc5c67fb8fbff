// Scrivlet: attaches free-text comments to files. Starts on the main window, with the files and
// folders named on the command line listed as a drop lists them; with "--screenshot FILE" it
// renders the main window to FILE instead and exits.
#include "app/model/comment_store.h"
#include "app/model/program_arguments.h"
#include "app/platform/qt_platform.h"
#include "app/ui/command_line_items.h"
#include "app/ui/main_window.h"
#include "app/ui/window_size_memory.h"
#include "core/recovery_words.h"
#include "scrivlet.h"
#include "scrivlet_version.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QStringList>
#include <QThread>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

using namespace scrivlet;

namespace {

QList<QByteArray> argumentsOf(int argc, char *argv[])
{
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    return arguments;
}

// The current folder as the file system spells it: QDir would decode it, and a folder name that is
// not UTF-8 would no longer lead to the files named relative to it.
QByteArray currentFolder()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? QByteArray() : QByteArray::fromStdString(folder.native());
}

// The exit status when the arguments ask for an answer rather than the window.
std::optional<int> answer(const ProgramArguments &arguments)
{
    switch (arguments.action()) {
    case ProgramArguments::Action::Help:
        std::fputs(qPrintable(ProgramArguments::usage()), stdout);
        return 0;
    case ProgramArguments::Action::Version:
        std::fputs("scrivlet " SCRIVLET_VERSION "\n", stdout);
        return 0;
    case ProgramArguments::Action::Error:
        std::fprintf(stderr, "scrivlet: %s\nTry 'scrivlet --help'.\n", qPrintable(arguments.error()));
        return 2;
    case ProgramArguments::Action::Run:
        break;
    }
    return std::nullopt;
}

// Puts right what a killed Scrivlet program left half done, before any file is shown, and says so
// on standard error; what needs the user (a record kept, a damaged journal, an unsafe journal
// folder) comes back for a message once the window is up.
QString recoverInterruptedChanges()
{
    QStringList attention;
    try {
        QList<QPair<QByteArray, int>> report;
        CommentStore().recover(&report);
        for (const auto &[path, outcome] : report) {
            const std::string words = scrivlet::core::RecoveryWords::of(path.toStdString(), outcome);
            if (scrivlet::core::RecoveryWords::isNews(outcome))
                std::fprintf(stderr, "scrivlet: %s: %s\n", path.constData(), words.c_str());
            if (scrivlet::core::RecoveryWords::needsAttention(outcome))
                attention << QString::fromLocal8Bit(path) + QStringLiteral(": ") +
                                 QString::fromStdString(words);
        }
    } catch (const LibraryUnavailable &) {
        // Without the library nothing can be put right; saving says that it is missing.
    }
    return attention.join(QStringLiteral("\n\n"));
}

// Lets the list's Comment column read the comments of the rows in sight, for a few seconds at most.
void waitForComments(const FileListModel &model)
{
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        QApplication::processEvents();
        // Once settled, one more pass shows the last results (and may ask for more).
        if (model.commentsSettled()) {
            QApplication::processEvents();
            if (model.commentsSettled())
                return;
        }
        QThread::msleep(1);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version need no display: answered before Qt looks for one. (Qt's own options,
    // such as -platform, are known only once QApplication has taken them out.)
    const ProgramArguments early = ProgramArguments::parse(argumentsOf(argc, argv), {});
    if (early.action() == ProgramArguments::Action::Help ||
        early.action() == ProgramArguments::Action::Version)
        return *answer(early);

    // The scale must be known before Qt looks at the screens.
    if (early.scale() > 0)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(early.scale()));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scrivlet"));
    QApplication::setApplicationVersion(QStringLiteral(SCRIVLET_VERSION));
    const ProgramArguments arguments = ProgramArguments::parse(argumentsOf(argc, argv), currentFolder());
    if (const std::optional<int> status = answer(arguments))
        return *status;

    QtPlatform platform;
    MainWindow window(platform);
    platform.setOwner(&window);
    const QList<QByteArray> notFound = CommandLineItems::add(window, arguments.paths());

    if (!arguments.screenshotFile().isEmpty()) {
        window.show();
        QApplication::processEvents();
        waitForComments(*window.fileModel());
        if (!window.grab().save(arguments.screenshotFile())) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(arguments.screenshotFile()));
            return 1;
        }
        return 0;
    }
    const QString attention = recoverInterruptedChanges();
    // The run, unlike the screenshot, opens the window as the user last left it.
    auto *sizeMemory = new WindowSizeMemory(window);
    sizeMemory->show();
    if (!attention.isEmpty())
        platform.messageBox(attention, QStringLiteral("Scrivlet"), Platform::Icon::Exclamation,
                            Platform::Buttons::Ok);
    CommandLineItems::reportNotFound(platform, notFound);
    return QApplication::exec();
}
