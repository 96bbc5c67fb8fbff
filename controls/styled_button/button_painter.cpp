#include "controls/styled_button/button_painter.h"

#include "controls/host/palette_contrast.h"
#include "controls/host/system_colors.h"
#include "controls/raster/canvas.h"
#include "controls/styled_button/bevel_looks.h"
#include "controls/styled_button/classic_looks.h"
#include "controls/styled_button/glossy_look.h"
#include "controls/styled_button/gradient_look.h"
#include "controls/styled_button/icon_painter.h"
#include "controls/styled_button/theme_look.h"

namespace scrivlet {

namespace {

// The state a face is drawn in: design mode shows every look but the gradient one hot, a toggle
// that is down stays pressed, and a disabled button is drawn disabled whatever else holds.
ButtonState correctedState(const ButtonFaceInput &in)
{
    ButtonState state = in.state;
    if (in.designMode && in.look != ButtonLook::LookGradient)
        state = ButtonState::Hot;
    if (in.buttonType == 1 && in.value)
        state = ButtonState::Pressed;
    if (!in.enabled)
        state = ButtonState::Disabled;
    return state;
}

gdi::ColorRef captionColor(const ButtonFaceInput &in, ButtonState state)
{
    if (state == ButtonState::Disabled)
        return in.system.grayText;
    if (!in.useCustomColors)
        return in.system.buttonText;
    return state == ButtonState::Normal ? in.fontColor : in.fontHighlightColor;
}

} // namespace

int ButtonPainter::marginOf(ButtonLook look)
{
    switch (look) {
    case ButtonLook::LookGradientSystem:
    case ButtonLook::LookBevel:
        return 4;
    case ButtonLook::LookBevelGradient:
        return 6;
    case ButtonLook::LookGlossy:
        return 7;
    default:
        return 3;
    }
}

ButtonFace ButtonPainter::paint(const ButtonFaceInput &in)
{
    ButtonFace out;
    out.image = gdi::Canvas::surfaceImage(in.size, in.scale);
    gdi::Canvas canvas(out.image);
    out.background = in.background == gdi::CLR_INVALID ? in.system.face : in.background;
    canvas.fillRect(canvas.bounds(), out.background);
    out.margin = 3;
    out.state = in.state;
    out.look = in.look;
    if (!in.isShown || in.size.isEmpty())
        return out;

    const ButtonState state = correctedState(in);
    out.state = state;
    if (state == ButtonState::Disabled)
        out.background = in.system.face;

    ButtonFaceInput look = in;
    for (gdi::ColorRef *color :
         {&look.backColor, &look.highlightColor, &look.fontColor, &look.fontHighlightColor, &look.maskColor})
        *color = SystemColors::translate(*color);
    if (look.look == ButtonLook::LookTheme && !look.qstyle) {
        // Without a style to draw the themed button, the stand-in look takes over for good.
        out.look = look.look =
            look.nonThemeStyle == ButtonLook::LookTheme ? ButtonLook::LookGradient : look.nonThemeStyle;
    }

    switch (look.look) {
    case ButtonLook::LookClassic:
    case ButtonLook::LookThinEdge:
    case ButtonLook::LookFlatHot:
    case ButtonLook::LookSoftFrame:
    case ButtonLook::LookHighlight:
        out.background = ClassicLooks::draw(canvas, look, state, out.background);
        break;
    case ButtonLook::LookGradient:
    case ButtonLook::LookGradientSystem:
        out.background = GradientLook::draw(canvas, look, state);
        break;
    case ButtonLook::LookTheme:
        out.themeOutline = ThemeLook::draw(canvas, look, state);
        break;
    case ButtonLook::LookBevel:
    case ButtonLook::LookBevelGradient:
        BevelLooks::draw(canvas, look, state);
        break;
    case ButtonLook::LookGlossy:
        GlossyLook::draw(canvas, look, state);
        break;
    }
    out.margin = marginOf(look.look);
    out.faceColor = canvas.getPixel(in.size.width() / 2, in.size.height() / 2);

    if (!in.icon.isNull())
        IconPainter::draw(canvas, look, state, out.margin);

    canvas.setFont(in.font);
    canvas.setBkMode(gdi::TRANSPARENT);
    const gdi::ColorRef previous = canvas.textColor();
    out.captionColor = captionColor(look, state);
    // A caption that cannot be read on its face (a dark palette's light text on a light look, a
    // custom colour close to the face) is drawn in black or white instead; a disabled one is meant
    // to be faint.
    if (state != ButtonState::Disabled && out.faceColor != gdi::CLR_INVALID)
        out.captionColor = PaletteContrast::readable(out.captionColor, out.faceColor);
    canvas.setTextColor(out.captionColor);
    gdi::Rect rect = in.captionRect;
    canvas.drawText(in.caption, rect, in.textFormat);
    canvas.setTextColor(previous);
    return out;
}

} // namespace scrivlet
