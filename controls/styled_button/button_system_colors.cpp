#include "controls/styled_button/button_system_colors.h"

#include "controls/host/system_colors.h"
#include "controls/raster/standard_colors.h"

namespace scrivlet {

ButtonSystemColors ButtonSystemColors::current()
{
    auto sys = [](int index) { return SystemColors::translate(SystemColors::reference(index)); };
    ButtonSystemColors c;
    c.face = sys(gdi::COLOR_BTNFACE);
    c.highlight = sys(gdi::COLOR_HIGHLIGHT);
    c.buttonText = sys(gdi::COLOR_BTNTEXT);
    c.grayText = sys(gdi::COLOR_GRAYTEXT);
    c.window = sys(gdi::COLOR_WINDOW);
    c.edges = SystemColors::edgeColors();
    c.dark = SystemColors::darkPalette();
    return c;
}

} // namespace scrivlet
