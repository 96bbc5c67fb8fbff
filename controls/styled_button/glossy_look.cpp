#include "controls/styled_button/glossy_look.h"

#include "controls/raster/gdi_region.h"
#include "controls/styled_button/color_math.h"

namespace scrivlet {

using gdi::ColorRef;
using gdi::RGB;

namespace {

struct Glass
{
    ColorRef topFrom, topTo;       // upper half, the bright reflection
    ColorRef bottomFrom, bottomTo; // lower half, the body
    ColorRef border;
};

constexpr Glass kRest{RGB(252, 252, 252), RGB(236, 236, 236), RGB(221, 221, 221), RGB(233, 233, 233),
                      RGB(112, 112, 112)};
constexpr Glass kHot{RGB(234, 246, 253), RGB(217, 240, 252), RGB(190, 230, 253), RGB(167, 217, 245),
                     RGB(60, 127, 177)};
constexpr Glass kPressed{RGB(229, 244, 252), RGB(196, 229, 246), RGB(152, 209, 239), RGB(104, 179, 220),
                         RGB(44, 98, 139)};

ColorRef blend(ColorRef a, ColorRef b, int i, int n)
{
    return n <= 0 ? a : ColorMath::gradientStep(a, b, i, n);
}

} // namespace

void GlossyLook::draw(gdi::Canvas &c, const ButtonFaceInput &in, ButtonState state)
{
    const int W = c.width();
    const int H = c.height();
    const bool focusedAtRest =
        in.hasFocus && (state == ButtonState::Normal || state == ButtonState::Disabled);
    const Glass &g = state == ButtonState::Pressed                ? kPressed
                     : state == ButtonState::Hot || focusedAtRest ? kHot
                                                                  : kRest;
    const QRegion shape = gdi::createRoundRectRgn(0, 0, W + 1, H + 1, 18, 18);
    const int mid = H / 2;
    for (int y = 0; y < H; ++y) {
        const ColorRef row = y < mid ? blend(g.topFrom, g.topTo, y, mid - 1)
                                     : blend(g.bottomFrom, g.bottomTo, y - mid, H - mid - 1);
        for (int x = 0; x < W; ++x) {
            if (!shape.contains(QPoint(x, y)))
                continue;
            const bool edge = !shape.contains(QPoint(x - 1, y)) || !shape.contains(QPoint(x + 1, y)) ||
                              !shape.contains(QPoint(x, y - 1)) || !shape.contains(QPoint(x, y + 1)) ||
                              x == W - 1 || y == H - 1;
            c.setPixel(x, y, edge ? g.border : row);
        }
    }
}

} // namespace scrivlet
