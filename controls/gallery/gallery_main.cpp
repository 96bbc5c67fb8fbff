// scrivlet_gallery [--scale FACTOR] FOLDER: renders every registered gallery page into FOLDER, at
// FACTOR device pixels per pixel when given (2 shows the looks as a 2x screen does).
#include "controls/gallery/gallery.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

using namespace scrivlet;

namespace {
std::vector<std::pair<QString, GalleryPage::Render>> &registry()
{
    static std::vector<std::pair<QString, GalleryPage::Render>> pages;
    return pages;
}
} // namespace

GalleryPage::GalleryPage(const char *name, Render render)
{
    registry().emplace_back(QString::fromUtf8(name), std::move(render));
}

const std::vector<std::pair<QString, GalleryPage::Render>> &GalleryPage::all()
{
    return registry();
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QString folder = QStringLiteral("gallery");
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--scale" && i + 1 < argc)
            qputenv("QT_SCALE_FACTOR", argv[++i]); // before QApplication, which reads it
        else
            folder = QString::fromLocal8Bit(argument);
    }
    QApplication app(argc, argv);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "scrivlet_gallery: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    for (const auto &[name, render] : GalleryPage::all()) {
        const QString sub = folder + QLatin1Char('/') + name;
        QDir().mkpath(sub);
        render(sub);
        std::printf("%s -> %s\n", qPrintable(name), qPrintable(sub));
    }
    return 0;
}
