#include "controls/styled_button/button_outline.h"

#include "controls/raster/gdi_region.h"

#include <array>

namespace scrivlet {

QRegion ButtonOutline::region(ButtonLook look, int width, int height)
{
    const int W = width;
    const int H = height;
    switch (look) {
    case ButtonLook::LookGradient:
    case ButtonLook::LookGradientSystem: {
        const std::array<gdi::Point, 8> octagon{
            {{0, 1}, {1, 0}, {W - 1, 0}, {W, 1}, {W, H - 2}, {W - 2, H}, {2, H}, {0, H - 2}}};
        return gdi::createPolygonRgn(octagon, gdi::ALTERNATE);
    }
    case ButtonLook::LookBevel:
    case ButtonLook::LookBevelGradient: {
        const std::array<gdi::Point, 8> octagon{
            {{0, 2}, {2, 0}, {W - 3, 0}, {W, 3}, {W, H - 3}, {W - 3, H}, {4, H}, {0, H - 4}}};
        return gdi::createPolygonRgn(octagon, gdi::ALTERNATE);
    }
    case ButtonLook::LookGlossy:
        return gdi::createRoundRectRgn(0, 0, W + 1, H + 1, 18, 18);
    default:
        return gdi::createRectRgn(0, 0, W, H);
    }
}

} // namespace scrivlet
