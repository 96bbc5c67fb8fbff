#include "controls/styled_button/button_painter.h"

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
    if (in.designMode && in.style != 5)
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

int ButtonPainter::marginOf(qint32 style)
{
    switch (style) {
    case 7:
    case 8:
        return 4;
    case 9:
        return 6;
    case 10:
        return 7;
    default:
        return 3;
    }
}

ButtonFace ButtonPainter::paint(const ButtonFaceInput &in)
{
    ButtonFace out;
    out.image = QImage(in.size, QImage::Format_RGB32);
    gdi::Canvas canvas(out.image);
    out.background = in.background == gdi::CLR_INVALID ? in.system.face : in.background;
    canvas.fillRect(canvas.bounds(), out.background);
    out.margin = 3;
    out.state = in.state;
    out.style = in.style;
    if (!in.isShown || in.size.isEmpty())
        return out;

    const ButtonState state = correctedState(in);
    out.state = state;
    if (state == ButtonState::Disabled)
        out.background = in.system.face;

    ButtonFaceInput look = in;
    if (look.style == 6 && !look.qstyle) {
        // Without a style to draw the themed button, the stand-in look takes over for good.
        out.style = look.style = look.nonThemeStyle == 6 ? 5 : look.nonThemeStyle;
    }

    switch (look.style) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
        out.background = ClassicLooks::draw(canvas, look, state, out.background);
        break;
    case 5:
    case 7:
        out.background = GradientLook::draw(canvas, look, state);
        break;
    case 6:
        out.themeOutline = ThemeLook::draw(canvas, look, state);
        break;
    case 8:
    case 9:
        BevelLooks::draw(canvas, look, state);
        break;
    case 10:
        GlossyLook::draw(canvas, look, state);
        break;
    default:
        break;
    }
    out.margin = marginOf(look.style);

    if (!in.icon.isNull())
        IconPainter::draw(canvas, look, state, out.margin);

    canvas.setFont(in.font);
    canvas.setBkMode(gdi::TRANSPARENT);
    const gdi::ColorRef previous = canvas.textColor();
    canvas.setTextColor(captionColor(in, state));
    gdi::Rect rect = in.captionRect;
    canvas.drawText(in.caption, rect, in.textFormat);
    canvas.setTextColor(previous);
    return out;
}

} // namespace scrivlet
