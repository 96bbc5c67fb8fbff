#include "controls/styled_button/gradient_look.h"

#include "controls/styled_button/color_math.h"
#include "controls/styled_button/gradient_lines.h"

#include <array>

namespace scrivlet {

using gdi::ColorRef;
using gdi::RGB;

namespace {

struct Gradient
{
    ColorRef from;
    ColorRef to;
};

// Every colour of the look. The fixed set is the look's reference; derived sets move each colour
// by the difference between a base colour and the reference's base.
struct Shades
{
    std::array<Gradient, 5> face{{{RGB(252, 252, 251), RGB(240, 240, 240)},
                                  {RGB(250, 250, 249), RGB(240, 240, 234)},
                                  {RGB(235, 235, 230), RGB(214, 208, 197)},
                                  {RGB(251, 251, 250), RGB(228, 226, 218)},
                                  {RGB(245, 244, 242), RGB(219, 215, 205)}}};
    std::array<Gradient, 5> pressed{{{RGB(209, 204, 193), RGB(228, 227, 220)},
                                     {RGB(228, 227, 220), RGB(227, 226, 219)},
                                     {RGB(227, 226, 219), RGB(242, 241, 238)},
                                     {RGB(218, 216, 206), RGB(227, 226, 219)},
                                     {RGB(218, 216, 206), RGB(227, 226, 219)}}};
    ColorRef border = RGB(0, 60, 116);
    ColorRef cornerInner = RGB(72, 110, 144);
    ColorRef cornerOuter = RGB(106, 139, 162);
    ColorRef cornerSoft = RGB(191, 199, 202);
    // hot frame: top two rows, bottom two rows, side gradient
    std::array<ColorRef, 4> hotRows{RGB(255, 240, 207), RGB(253, 216, 137), RGB(248, 179, 48),
                                    RGB(229, 151, 16)};
    Gradient hotSides{RGB(253, 216, 137), RGB(248, 179, 48)};
    // focus frame: bottom row, top two rows, the row above the bottom one, side gradient
    std::array<ColorRef, 4> focusRows{RGB(105, 130, 238), RGB(206, 231, 255), RGB(188, 212, 246),
                                      RGB(137, 173, 228)};
    Gradient focusSides{RGB(188, 212, 246), RGB(137, 173, 228)};
    ColorRef disabledFace = RGB(245, 244, 234);
    ColorRef disabledFrame = RGB(201, 199, 186);
    ColorRef disabledCorner = RGB(216, 213, 199);
};

constexpr ColorRef kReferenceFace = RGB(240, 240, 240);
constexpr ColorRef kReferenceHot = RGB(248, 179, 48);
constexpr ColorRef kReferenceFocus = RGB(137, 173, 228);

// Moves c by (to - from) per channel.
ColorRef shift(ColorRef c, ColorRef from, ColorRef to)
{
    return ColorMath::offset(c, gdi::GetRValue(to) - gdi::GetRValue(from),
                             gdi::GetGValue(to) - gdi::GetGValue(from),
                             gdi::GetBValue(to) - gdi::GetBValue(from));
}

Shades derivedShades(ColorRef face, ColorRef hot, ColorRef focus)
{
    Shades s;
    auto onFace = [face](ColorRef &c) { c = shift(c, kReferenceFace, face); };
    for (auto &g : s.face) {
        onFace(g.from);
        onFace(g.to);
    }
    for (auto &g : s.pressed) {
        onFace(g.from);
        onFace(g.to);
    }
    for (ColorRef *c : {&s.border, &s.cornerInner, &s.cornerOuter, &s.cornerSoft, &s.disabledFace,
                        &s.disabledFrame, &s.disabledCorner})
        onFace(*c);
    for (auto &c : s.hotRows)
        c = shift(c, kReferenceHot, hot);
    s.hotSides = {shift(s.hotSides.from, kReferenceHot, hot), shift(s.hotSides.to, kReferenceHot, hot)};
    for (auto &c : s.focusRows)
        c = shift(c, kReferenceFocus, focus);
    s.focusSides = {shift(s.focusSides.from, kReferenceFocus, focus),
                    shift(s.focusSides.to, kReferenceFocus, focus)};
    return s;
}

// Runs the gradient steps in order; a failing step (h = 0) ends the face there.
bool gradients(gdi::Canvas &c, const std::array<Gradient, 5> &g, const std::array<std::array<int, 4>, 5> &geo)
{
    for (std::size_t i = 0; i < g.size(); ++i) {
        if (!GradientLines::vertical(c, g[i].from, g[i].to, geo[i][0], geo[i][1], geo[i][2], geo[i][3]))
            return false;
    }
    return true;
}

void borderAndCorners(gdi::Canvas &c, const Shades &s, int W, int H)
{
    c.drawLine(1, 0, W - 1, 0, s.border);
    c.drawLine(0, 1, 0, H - 1, s.border);
    c.drawLine(W - 1, 1, W - 1, H - 1, s.border);
    c.drawLine(1, H - 1, W - 1, H - 1, s.border);
    for (auto [x, y] : {std::pair{1, 1}, {1, H - 2}, {W - 2, 1}, {W - 2, H - 2}})
        c.setPixel(x, y, s.cornerInner);
    for (auto [x, y] : {std::pair{0, 1},
                        {1, 0},
                        {1, H - 1},
                        {0, H - 2},
                        {W - 1, H - 2},
                        {W - 2, H - 1},
                        {W - 2, 0},
                        {W - 1, 1}})
        c.setPixel(x, y, s.cornerOuter);
    for (auto [x, y] : {std::pair{1, 2},
                        {2, 1},
                        {2, H - 2},
                        {1, H - 3},
                        {W - 2, H - 3},
                        {W - 3, H - 2},
                        {W - 3, 1},
                        {W - 2, 2}})
        c.setPixel(x, y, s.cornerSoft);
}

void hotFrame(gdi::Canvas &c, const Shades &s, int W, int H)
{
    c.drawLine(2, 1, W - 2, 1, s.hotRows[0]);
    c.drawLine(2, 2, W - 2, 2, s.hotRows[1]);
    c.drawLine(2, H - 3, W - 2, H - 3, s.hotRows[2]);
    c.drawLine(2, H - 2, W - 2, H - 2, s.hotRows[3]);
    if (GradientLines::vertical(c, s.hotSides.from, s.hotSides.to, 1, 2, 3, H - 5))
        GradientLines::vertical(c, s.hotSides.from, s.hotSides.to, W - 3, 2, W - 1, H - 5);
}

void focusFrame(gdi::Canvas &c, const Shades &s, int W, int H)
{
    c.drawLine(2, H - 2, W - 2, H - 2, s.focusRows[0]);
    c.drawLine(2, 1, W - 2, 1, s.focusRows[1]);
    c.drawLine(2, 2, W - 2, 2, s.focusRows[2]);
    c.drawLine(2, H - 3, W - 2, H - 3, s.focusRows[3]);
    if (GradientLines::vertical(c, s.focusSides.from, s.focusSides.to, 1, 2, 3, H - 5))
        GradientLines::vertical(c, s.focusSides.from, s.focusSides.to, W - 3, 2, W - 1, H - 5);
}

ColorRef disabled(gdi::Canvas &c, const Shades &s, int W, int H)
{
    c.fillRect(c.bounds(), s.disabledFace);
    const std::array<gdi::Point, 5> outline{{{0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}, {0, 0}}};
    c.polyline(outline, s.disabledFrame);
    for (auto [x, y] : {std::pair{0, 1},
                        {1, 1},
                        {1, 0},
                        {0, H - 2},
                        {1, H - 2},
                        {1, H - 1},
                        {W - 1, 1},
                        {W - 2, 1},
                        {W - 2, 0},
                        {W - 1, H - 2},
                        {W - 2, H - 2},
                        {W - 2, H - 1}})
        c.setPixel(x, y, s.disabledCorner);
    return s.disabledFace;
}

} // namespace

ColorRef GradientLook::draw(gdi::Canvas &canvas, const ButtonFaceInput &in, ButtonState state)
{
    const int W = in.size.width();
    const int H = in.size.height();
    Shades shades;
    if (in.look != ButtonLook::LookGradient)
        shades = derivedShades(in.system.face, in.system.highlight, in.system.highlight);
    else if (in.useCustomColors)
        shades = derivedShades(in.backColor, in.highlightColor, in.system.highlight);
    else if (in.system.dark)
        // The fixed near-white face would glare on a dark desktop and hide its light caption.
        shades = derivedShades(in.system.face, in.system.highlight, in.system.highlight);

    ColorRef background =
        in.look == ButtonLook::LookGradient && !in.useCustomColors ? in.system.face : shades.face[0].to;
    canvas.fillRect(canvas.bounds(), background);

    switch (state) {
    case ButtonState::Normal:
    case ButtonState::Hot: {
        const std::array<std::array<int, 4>, 5> geo{{{1, 1, W - 2, 4},
                                                     {1, 4, W - 2, H - 8},
                                                     {1, H - 4, W - 2, 3},
                                                     {W - 3, 3, W - 2, H - 5},
                                                     {W - 2, 3, W - 1, H - 5}}};
        if (!gradients(canvas, shades.face, geo))
            break;
        borderAndCorners(canvas, shades, W, H);
        if (state == ButtonState::Hot)
            hotFrame(canvas, shades, W, H);
        else if (in.hasFocus || in.displayAsDefault)
            focusFrame(canvas, shades, W, H);
        break;
    }
    case ButtonState::Pressed: {
        const std::array<std::array<int, 4>, 5> geo{{{2, 1, W - 1, 4},
                                                     {2, 4, W - 1, H - 8},
                                                     {3, H - 4, W - 1, 3},
                                                     {1, 3, 2, H - 5},
                                                     {2, 4, 3, H - 7}}};
        if (gradients(canvas, shades.pressed, geo))
            borderAndCorners(canvas, shades, W, H);
        break;
    }
    case ButtonState::Disabled:
        background = disabled(canvas, shades, W, H);
        break;
    }
    return background;
}

} // namespace scrivlet
