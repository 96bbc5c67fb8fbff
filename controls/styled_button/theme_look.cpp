#include "controls/styled_button/theme_look.h"

#include <QGuiApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace scrivlet {

namespace {

QStyleOptionButton option(const ButtonFaceInput &in, ButtonState state, const QRect &rect)
{
    QStyleOptionButton opt;
    opt.rect = rect;
    // The style's own colours, unless the desktop is dark: then the desktop's.
    opt.palette = in.system.dark ? QGuiApplication::palette() : in.qstyle->standardPalette();
    opt.direction = Qt::LeftToRight;
    opt.state = QStyle::State_None;
    if (state != ButtonState::Disabled)
        opt.state |= QStyle::State_Enabled;
    switch (state) {
    case ButtonState::Hot:
        opt.state |= QStyle::State_MouseOver | QStyle::State_Raised;
        break;
    case ButtonState::Pressed:
        opt.state |= QStyle::State_Sunken;
        break;
    case ButtonState::Normal:
        opt.state |= QStyle::State_Raised;
        // The theme's "defaulted" state stands for a focused button at rest.
        if (in.hasFocus) {
            opt.state |= QStyle::State_HasFocus;
            opt.features |= QStyleOptionButton::DefaultButton;
        }
        break;
    case ButtonState::Disabled:
        opt.state |= QStyle::State_Raised;
        break;
    }
    return opt;
}

// The pixels the bevel covers, as a region.
QRegion coveredRegion(const QImage &image, int dx, int dy)
{
    QRegion region;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            if (qAlpha(line[x]) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && qAlpha(line[x]) != 0)
                ++x;
            region += QRect(start + dx, y + dy, x - start, 1);
        }
    }
    return region;
}

} // namespace

QRegion ThemeLook::draw(gdi::Canvas &canvas, const ButtonFaceInput &in, ButtonState state)
{
    const int W = canvas.width();
    const int H = canvas.height();
    canvas.fillRect(canvas.bounds(), in.system.face);
    QImage bevel = gdi::Canvas::surfaceImage({W, H}, canvas.scale(), QImage::Format_ARGB32_Premultiplied);
    bevel.fill(gdi::toQRgb(in.system.face));
    {
        QPainter p(&bevel);
        const QStyleOptionButton opt = option(in, state, QRect(0, 0, W, H));
        in.qstyle->drawControl(QStyle::CE_PushButtonBevel, &opt, &p, nullptr);
    }
    canvas.bitBlt(0, 0, W, H, bevel.convertToFormat(QImage::Format_RGB32), 0, 0);
    if (!in.roundedBordersByTheme)
        return {};

    QImage outline(W + 2, H + 2, QImage::Format_ARGB32_Premultiplied);
    outline.fill(Qt::transparent);
    {
        QPainter p(&outline);
        const QStyleOptionButton opt = option(in, state, QRect(0, 0, W + 2, H + 2));
        in.qstyle->drawControl(QStyle::CE_PushButtonBevel, &opt, &p, nullptr);
    }
    return coveredRegion(outline, -1, -1).intersected(QRect(0, 0, W, H));
}

} // namespace scrivlet
