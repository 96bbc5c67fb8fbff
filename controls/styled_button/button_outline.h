#pragma once
// The window outline of each look, to which the button's window is clipped.
#include "controls/styled_button/button_types.h"

#include <QRegion>

namespace scrivlet {

class ButtonOutline
{
public:
    // The gradient looks: an octagon with 1-pixel cuts at the top corners and 2-pixel cuts at the
    // bottom; the bevel looks: an octagon with 2- to 4-pixel cuts; the glossy look: a rounded
    // rectangle with an 18 x 18 corner ellipse; every other look the client rectangle.
    static QRegion region(ButtonLook look, int width, int height);
};

} // namespace scrivlet
