// Build-time tool: writes the program's icon into an icon theme folder at the sizes given,
// as OUTDIR/<N>x<N>/apps/scrivlet.png, so the desktop shows the same picture as the title bar.
#include "app/ui/app_icon.h"

#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>

using namespace scrivlet;

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fputs("usage: scrivlet_render_icons OUTDIR SIZE...\n", stderr);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        char *end = nullptr;
        const long size = std::strtol(argv[i], &end, 10);
        if (end == argv[i] || *end != '\0' || size < 1 || size > 1024) {
            std::fprintf(stderr, "scrivlet_render_icons: bad size '%s'\n", argv[i]);
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        const QString file = folder + QStringLiteral("/scrivlet.png");
        if (!QDir().mkpath(folder) || !AppIcon::image(static_cast<int>(size)).save(file, "PNG")) {
            std::fprintf(stderr, "scrivlet_render_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
