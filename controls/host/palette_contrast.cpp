#include "controls/host/palette_contrast.h"

#include <algorithm>
#include <cmath>

namespace scrivlet {

namespace PaletteContrast {

namespace {
constexpr double kReadableRatio = 4.5;

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
} // namespace

double luminance(gdi::ColorRef color)
{
    return 0.2126 * linear(gdi::GetRValue(color)) + 0.7152 * linear(gdi::GetGValue(color)) +
           0.0722 * linear(gdi::GetBValue(color));
}

double ratio(gdi::ColorRef a, gdi::ColorRef b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDark(const QPalette &palette)
{
    const auto of = [&palette](QPalette::ColorRole role) {
        return luminance(gdi::fromQRgb(palette.color(QPalette::Active, role).rgb()));
    };
    return of(QPalette::Window) < of(QPalette::WindowText);
}

gdi::ColorRef readable(gdi::ColorRef text, gdi::ColorRef background)
{
    if (ratio(text, background) >= kReadableRatio)
        return text;
    constexpr gdi::ColorRef black = gdi::RGB(0, 0, 0);
    constexpr gdi::ColorRef white = gdi::RGB(255, 255, 255);
    return ratio(black, background) >= ratio(white, background) ? black : white;
}

} // namespace PaletteContrast

} // namespace scrivlet
