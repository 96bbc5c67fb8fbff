// Gallery page of the button: every look in every state, and the program's own buttons.
#include "controls/gallery/gallery.h"

#include "controls/host/system_colors.h"
#include "controls/raster/canvas.h"
#include "controls/styled_button/button_outline.h"
#include "controls/styled_button/button_painter.h"
#include "controls/styled_button/button_tooltip.h"
#include "controls/styled_button/caption_layout.h"
#include "controls/styled_button/caption_metrics.h"

#include <QApplication>
#include <QPainter>
#include <array>

namespace scrivlet {

namespace {

struct Shot
{
    const char *name;
    ButtonState state;
    bool focus;
};

constexpr std::array<Shot, 5> kShots{{{"normal", ButtonState::Normal, false},
                                      {"hot", ButtonState::Hot, false},
                                      {"pressed", ButtonState::Pressed, false},
                                      {"disabled", ButtonState::Disabled, false},
                                      {"focus", ButtonState::Normal, true}}};

QFont programFont(double points)
{
    QFont font(QStringLiteral("Microsoft Sans Serif"));
    font.setPointSizeF(points);
    return font;
}

// One face as the button would draw it, with its caption placed as the layout places it; pixels
// outside the window outline are left white, as the desktop would show through them.
QImage face(ButtonLook look, const Shot &shot, QSize size, const QString &caption, const QFont &font)
{
    ButtonFaceInput in;
    in.size = size;
    in.scale = qApp->devicePixelRatio();
    in.look = look;
    in.state = shot.state;
    in.enabled = shot.state != ButtonState::Disabled;
    in.hasFocus = shot.focus;
    in.caption = caption;
    in.font = font;
    in.qstyle = QApplication::style();
    const gdi::Rect measured =
        CaptionMetrics::measure(caption, font, {4, 4, size.width() - 4, size.height() - 4}, false);
    const CaptionPlacement placed = CaptionLayout::place(size.width(), size.height(), measured, 0,
                                                         ButtonPainter::marginOf(look), false, 0);
    in.captionRect = placed.rect;
    in.textFormat = placed.textFormat;
    const ButtonFace drawn = ButtonPainter::paint(in);
    QImage out = gdi::Canvas::surfaceImage(size, in.scale);
    out.fill(Qt::white);
    QPainter p(&out);
    p.setClipRegion(ButtonOutline::region(drawn.look, size.width(), size.height()));
    p.drawImage(0, 0, drawn.image);
    return out;
}

QImage sheet(const std::vector<std::vector<QImage>> &rows, int gap, int scale)
{
    int width = 0;
    int height = gap;
    for (const auto &row : rows) {
        int w = gap;
        int h = 0;
        for (const QImage &img : row) {
            w += img.width() * scale + gap;
            h = std::max(h, img.height() * scale);
        }
        width = std::max(width, w);
        height += h + gap;
    }
    QImage out(width, height, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    int y = gap;
    for (const auto &row : rows) {
        int x = gap;
        int h = 0;
        for (const QImage &img : row) {
            p.drawImage(QRect(x, y, img.width() * scale, img.height() * scale), img);
            x += img.width() * scale + gap;
            h = std::max(h, img.height() * scale);
        }
        y += h + gap;
    }
    return out;
}

void render(const QString &folder)
{
    SystemColors::setSource(SystemColors::Source::Standard);
    const QFont font = programFont(9.75);
    std::vector<std::vector<QImage>> all;
    for (qint32 style = 0; style <= 10; ++style) {
        std::vector<QImage> row;
        for (const Shot &shot : kShots) {
            QImage img = face(static_cast<ButtonLook>(style), shot, {73, 25}, QStringLiteral("Button"), font);
            img.save(
                QStringLiteral("%1/style%2_%3.png").arg(folder).arg(style).arg(QLatin1String(shot.name)));
            row.push_back(img);
        }
        all.push_back(row);
    }
    sheet(all, 4, 1).save(folder + QStringLiteral("/all_styles.png"));
    sheet(all, 4, 3).save(folder + QStringLiteral("/all_styles_x3.png"));

    struct ProgramButton
    {
        const char *caption;
        int width;
        double points;
        bool enabled;
    };
    const std::array<ProgramButton, 8> buttons{{{"Browse", 73, 9.75, true},
                                                {"Import", 65, 9.75, true},
                                                {"About", 65, 9.75, true},
                                                {"Help", 65, 9.75, true},
                                                {"Delete", 65, 9.75, false},
                                                {"Clear...", 65, 9.75, false},
                                                {"Save", 73, 9.75, true},
                                                {"OK", 73, 9.0, true}}};
    std::vector<std::vector<QImage>> program;
    for (const Shot &shot : kShots) {
        std::vector<QImage> row;
        for (const ProgramButton &b : buttons) {
            Shot s = shot;
            if (!b.enabled && shot.state != ButtonState::Disabled)
                s = {shot.name, ButtonState::Disabled, false};
            row.push_back(face(ButtonLook::LookGradient, s, {b.width, 25}, QString::fromLatin1(b.caption),
                               programFont(b.points)));
        }
        program.push_back(row);
    }
    sheet(program, 4, 1).save(folder + QStringLiteral("/program_buttons.png"));
    sheet(program, 4, 3).save(folder + QStringLiteral("/program_buttons_x3.png"));

    // The button's own tips: a balloon with a title and an icon, and a plain rectangle.
    for (const bool balloon : {true, false}) {
        ButtonTooltip::Content content;
        content.text = QStringLiteral("Saves the comment into every ticked file.");
        content.title = balloon ? QStringLiteral("Save") : QString();
        content.icon = balloon ? 1 : 0;
        content.balloon = balloon;
        ButtonTooltip tip(content);
        tip.resize(tip.sizeHint());
        QImage shot(tip.size(), QImage::Format_ARGB32_Premultiplied);
        shot.fill(Qt::white);
        tip.render(&shot);
        shot.save(folder +
                  (balloon ? QStringLiteral("/tooltip_balloon.png") : QStringLiteral("/tooltip_rect.png")));
    }
    SystemColors::setSource(SystemColors::Source::Palette);
}

const GalleryPage page("styled_button", render);

} // namespace

} // namespace scrivlet
