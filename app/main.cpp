// Scrivlet: attaches free-text comments to files. Starts on the main window; with
// "--screenshot FILE" it renders the main window to FILE instead and exits.
#include "app/platform/qt_platform.h"
#include "app/ui/main_window.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Scrivlet"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));

    QtPlatform platform;
    MainWindow window(platform);
    platform.setOwner(&window);

    const QStringList args = QApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    if (at >= 0) {
        if (at + 1 >= args.size()) {
            std::fputs("usage: scrivlet --screenshot FILE\n", stderr);
            return 2;
        }
        window.show();
        QApplication::processEvents();
        if (!window.grab().save(args.at(at + 1))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(args.at(at + 1)));
            return 1;
        }
        return 0;
    }
    window.show();
    return QApplication::exec();
}
