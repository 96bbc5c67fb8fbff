// scrivlet_gallery FOLDER: renders every registered gallery page into FOLDER.
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
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery");
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
