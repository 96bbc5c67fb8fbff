// Gallery page of the progress bar: every look at several percentages, the hatch styles, the
// vertical bars, captions, and the main window's bar. Each bar is drawn by the widget itself, so
// the pictures are what the window would show.
#include "controls/gallery/gallery.h"

#include "controls/host/system_colors.h"
#include "controls/progress_bar/xp_progress_bar.h"

#include <QPainter>
#include <vector>

namespace scrivlet {

namespace {

constexpr int kPercentages[] = {0, 45, 98, 100};

QImage checkerPicture()
{
    QImage picture(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            picture.setPixel(x, y, ((x / 2 + y / 2) % 2) ? qRgb(250, 200, 60) : qRgb(60, 120, 220));
    return picture;
}

struct Look
{
    int scrolling;
    quint32 color;
    int orientation = 0;
    bool showText = false;
    int brushStyle = 2;
    QSize size{105, 17};
};

QImage shot(const Look &look, int percentage)
{
    XP_ProgressBar bar;
    bar.resize(look.size);
    bar.setBrushStyle(look.brushStyle);
    bar.setImage(checkerPicture());
    bar.setColor(look.color);
    bar.setOrientation(look.orientation);
    bar.setShowText(look.showText);
    bar.setScrolling(look.scrolling);
    bar.setMaximum(100);
    bar.setValue(percentage);
    return bar.surface().copy();
}

// Rows of pictures on a grey sheet, each pixel scale x scale.
QImage sheet(const std::vector<std::vector<QImage>> &rows, int scale)
{
    const int gap = 6;
    int width = 0, height = gap;
    for (const auto &row : rows) {
        int w = gap, h = 0;
        for (const QImage &image : row) {
            w += image.width() * scale + gap;
            h = std::max(h, image.height() * scale);
        }
        width = std::max(width, w);
        height += h + gap;
    }
    QImage out(width, height, QImage::Format_RGB32);
    out.fill(qRgb(128, 128, 128));
    QPainter painter(&out);
    int y = gap;
    for (const auto &row : rows) {
        int x = gap, h = 0;
        for (const QImage &image : row) {
            painter.drawImage(QRect(x, y, image.width() * scale, image.height() * scale), image);
            x += image.width() * scale + gap;
            h = std::max(h, image.height() * scale);
        }
        y += h + gap;
    }
    return out;
}

void saveSheet(const QString &folder, const QString &name, const std::vector<std::vector<QImage>> &rows)
{
    sheet(rows, 1).save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    sheet(rows, 4).save(folder + QLatin1Char('/') + name + QStringLiteral("_x4.png"));
}

void render(const QString &folder)
{
    SystemColors::setSource(SystemColors::Source::Standard);
    const quint32 highlight = SystemColors::translate(0x8000000Du);

    // One row per look, one column per percentage; every single bar is saved as well.
    std::vector<std::vector<QImage>> looks;
    for (int scrolling = 0; scrolling <= 10; ++scrolling) {
        std::vector<QImage> row;
        for (const int percentage : kPercentages) {
            const QImage image = shot({scrolling, highlight}, percentage);
            image.save(QStringLiteral("%1/look%2_%3.png").arg(folder).arg(scrolling).arg(percentage));
            row.push_back(image);
        }
        looks.push_back(row);
    }
    saveSheet(folder, QStringLiteral("looks"), looks);

    std::vector<std::vector<QImage>> hatches;
    for (int style = 0; style <= 5; ++style) {
        std::vector<QImage> row;
        for (const int percentage : {45, 100})
            row.push_back(shot({7, highlight, 0, false, style}, percentage));
        hatches.push_back(row);
    }
    saveSheet(folder, QStringLiteral("hatch_styles"), hatches);

    std::vector<std::vector<QImage>> vertical(1);
    for (int scrolling = 0; scrolling <= 2; ++scrolling)
        for (const int percentage : kPercentages)
            vertical[0].push_back(shot({scrolling, highlight, 1, false, 2, {24, 90}}, percentage));
    saveSheet(folder, QStringLiteral("vertical"), vertical);

    std::vector<std::vector<QImage>> captions;
    for (int scrolling = 0; scrolling <= 9; ++scrolling) {
        std::vector<QImage> row;
        for (const int percentage : kPercentages)
            row.push_back(shot({scrolling, highlight, 0, true, 2, {160, 21}}, percentage));
        captions.push_back(row);
    }
    saveSheet(folder, QStringLiteral("captions"), captions);

    // The main window's bar: etched, pale green as stored, then pure green as a run sets it.
    std::vector<std::vector<QImage>> mainWindow(2);
    for (const int percentage : kPercentages) {
        mainWindow[0].push_back(shot({4, 0xC0FFC0, 0, false, 0}, percentage));
        mainWindow[1].push_back(shot({4, 0x00FF00, 0, false, 0}, percentage));
    }
    saveSheet(folder, QStringLiteral("main_window"), mainWindow);
    SystemColors::setSource(SystemColors::Source::Palette);
}

const GalleryPage page("progress_bar", render);

} // namespace

} // namespace scrivlet
