#include "controls/styled_button/icon_painter.h"

#include "controls/styled_button/color_math.h"

#include <algorithm>

namespace scrivlet {

namespace {
int half(int v)
{
    return ColorMath::roundHalfEven(v / 2.0);
}

bool isNeutralGrey(QRgb p)
{
    const int r = qRed(p);
    if (r != qGreen(p) || r != qBlue(p))
        return false;
    // Multiples of 16 up to 240 except 144, and white.
    return r == 255 || (r % 16 == 0 && r != 144);
}

QImage argb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}
} // namespace

gdi::Point IconPainter::position(int width, int height, int iconSize, qint32 iconAlign, int margin)
{
    const int W = width;
    const int H = height;
    const int S = iconSize;
    const int M = margin;
    switch (iconAlign) {
    case 0:
        return {half(W - S), half(H - S)};
    case 1:
        return {M, half(H - S)};
    case 2:
        return {W - S - M, half(H - S)};
    case 3:
        return {half(W - S), M};
    case 4:
        return {half(W - S), H - S - M};
    default:
        return {0, 0};
    }
}

QImage IconPainter::grayscale(const QImage &icon)
{
    QImage out = argb(icon);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            if (isNeutralGrey(p))
                continue;
            const int g =
                std::min(ColorMath::roundHalfEven(0.33 * qRed(p) + 0.59 * qGreen(p) + 0.11 * qBlue(p)), 255);
            line[x] = qRgba(g, g, g, qAlpha(p));
        }
    }
    return out;
}

QImage IconPainter::masked(const QImage &icon, gdi::ColorRef maskColor, bool grey)
{
    QImage out = argb(icon);
    const QRgb mask = gdi::toQRgb(maskColor) & 0xFFFFFFu;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            if ((p & 0xFFFFFFu) == mask) {
                line[x] = 0;
            } else if (grey) {
                const double r = ColorMath::roundHalfEven(0.3 * qRed(p));
                const int g = std::min(ColorMath::roundHalfEven(r + 0.59 * qGreen(p) + 0.11 * qBlue(p)), 255);
                line[x] = qRgba(g, g, g, qAlpha(p));
            }
        }
    }
    return out;
}

void IconPainter::draw(gdi::Canvas &canvas, const ButtonFaceInput &in, ButtonState state, int margin)
{
    const int S = in.iconSize;
    gdi::Point at = position(in.size.width(), in.size.height(), S, in.iconAlign, margin);
    if (state == ButtonState::Pressed) {
        at.x += 1;
        at.y += 1;
    }
    const bool disabled = state == ButtonState::Disabled;
    QImage picture;
    if (in.useMaskColor)
        picture = masked(in.icon, in.maskColor, disabled);
    else
        picture = disabled ? grayscale(in.icon) : in.icon;

    if (in.look == ButtonLook::LookHighlight && state == ButtonState::Hot) {
        // The raised icon's shadow: its opaque pixels in grey, where the icon rested.
        QImage shadow = argb(picture);
        for (int y = 0; y < shadow.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(shadow.scanLine(y));
            for (int x = 0; x < shadow.width(); ++x)
                line[x] = qAlpha(line[x]) >= 128 ? qRgb(128, 128, 128) : 0;
        }
        canvas.drawPicture(shadow, {at.x, at.y, at.x + S, at.y + S});
        at.x -= 2;
        at.y -= 2;
    }
    canvas.drawPicture(picture, {at.x, at.y, at.x + S, at.y + S});
}

} // namespace scrivlet
