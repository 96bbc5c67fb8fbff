#include "controls/styled_button/classic_looks.h"

#include "controls/styled_button/color_math.h"

#include <array>

namespace scrivlet {

using gdi::ColorRef;

namespace {

void classic(gdi::Canvas &c, const ButtonFaceInput &in, ButtonState state, ColorRef face)
{
    c.fillRect(c.bounds(), face);
    gdi::Rect rect = c.bounds();
    // The default button (or a focused one that asks for it) gets a dark frame outside its edge.
    if ((in.showFocus && in.hasFocus) || (in.displayAsDefault && !in.hasFocus)) {
        c.frameRect(rect, in.system.edges.darkShadow);
        rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
    c.drawEdge(rect, state == ButtonState::Pressed ? gdi::EDGE_SUNKEN : gdi::EDGE_RAISED, gdi::BF_RECT);
}

void thinEdge(gdi::Canvas &c, ButtonState state, ColorRef face, ColorRef frame)
{
    c.fillRect(c.bounds(), face);
    gdi::Rect rect = c.bounds();
    if (state == ButtonState::Disabled)
        c.frameRect(rect, frame);
    else if (state == ButtonState::Pressed)
        c.drawEdge(rect, gdi::BDR_SUNKENOUTER, gdi::BF_RECT);
    else
        c.drawEdge(rect, gdi::BDR_RAISEDINNER, gdi::BF_RECT);
}

void flatHot(gdi::Canvas &c, ButtonState state, ColorRef face, ColorRef frame)
{
    c.fillRect(c.bounds(), face);
    gdi::Rect rect = c.bounds();
    if (state == ButtonState::Hot)
        c.drawEdge(rect, gdi::BDR_RAISEDINNER, gdi::BF_RECT);
    else if (state == ButtonState::Pressed)
        c.drawEdge(rect, gdi::BDR_SUNKENOUTER, gdi::BF_RECT);
    else
        c.frameRect(rect, frame);
}

ColorRef softFrame(gdi::Canvas &c, const ButtonFaceInput &in, ButtonState state)
{
    const int W = c.width();
    const int H = c.height();
    const ColorRef face = in.system.face;
    const ColorRef shadow = in.system.edges.shadow;
    const ColorRef window = in.system.window;
    const ColorRef fill = state == ButtonState::Pressed ? ColorMath::offset(face, -12) : face;
    c.fillRect(c.bounds(), fill);
    const ColorRef frame = state == ButtonState::Disabled ? ColorMath::average(shadow, face) : shadow;
    c.frameRect(c.bounds(), frame);
    if (state == ButtonState::Hot) {
        c.frameRect({1, 1, W - 1, H - 1}, window);
    } else if (state == ButtonState::Normal) {
        c.drawLine(1, 1, W - 1, 1, window);
        c.drawLine(1, 1, 1, H - 1, window);
    }
    // Soften the corners: the corner pixel takes the frame half-way to the face, its neighbours
    // along the frame and the pixel inside the corner blend the frame with the fill.
    const ColorRef corner = ColorMath::average(frame, face);
    const ColorRef edge = ColorMath::average(frame, corner);
    const ColorRef inside = ColorMath::average(fill, corner);
    for (auto [x, y, dx, dy] :
         {std::array{0, 0, 1, 1}, {W - 1, 0, -1, 1}, {0, H - 1, 1, -1}, {W - 1, H - 1, -1, -1}}) {
        c.setPixel(x, y, corner);
        c.setPixel(x + dx, y, edge);
        c.setPixel(x, y + dy, edge);
        c.setPixel(x + dx, y + dy, inside);
    }
    return face;
}

ColorRef highlight(gdi::Canvas &c, const ButtonFaceInput &in, ButtonState state)
{
    const ColorRef base = in.useCustomColors ? in.backColor : in.system.face;
    const ColorRef hl = in.useCustomColors ? in.highlightColor : in.system.highlight;
    if (state == ButtonState::Hot || state == ButtonState::Pressed) {
        c.fillRect(c.bounds(), ColorMath::lighten(hl, state == ButtonState::Hot ? 176 : 128));
        c.frameRect(c.bounds(), hl);
        return base;
    }
    c.fillRect(c.bounds(), ColorMath::lighten(base, 96));
    return base;
}

} // namespace

ColorRef ClassicLooks::faceColor(const ButtonFaceInput &in, ButtonState state)
{
    if (!in.useCustomColors)
        return in.system.face;
    const bool atRest = state == ButtonState::Normal ||
                        (in.look != ButtonLook::LookClassic && state == ButtonState::Disabled);
    return atRest ? in.backColor : in.highlightColor;
}

ColorRef ClassicLooks::draw(gdi::Canvas &canvas, const ButtonFaceInput &in, ButtonState state,
                            ColorRef background)
{
    canvas.setEdgeColors(in.system.edges);
    const ColorRef face = faceColor(in, state);
    switch (in.look) {
    case ButtonLook::LookClassic:
        classic(canvas, in, state, face);
        return face;
    case ButtonLook::LookThinEdge:
        thinEdge(canvas, state, face, in.system.edges.shadow);
        return face;
    case ButtonLook::LookFlatHot:
        flatHot(canvas, state, face, in.system.edges.shadow);
        return face;
    case ButtonLook::LookSoftFrame:
        return softFrame(canvas, in, state);
    case ButtonLook::LookHighlight:
        return highlight(canvas, in, state);
    default:
        return background;
    }
}

} // namespace scrivlet
