#pragma once
// The window outline of each look, to which the button's window is clipped.
#include <QRegion>
#include <QtGlobal>

namespace scrivlet {

class ButtonOutline
{
public:
    // Styles 5 and 7: an octagon with 1-pixel cuts at the top corners and 2-pixel cuts at the
    // bottom; 8 and 9: an octagon with 2- to 4-pixel cuts; 10: a rounded rectangle with an 18 x 18
    // corner ellipse; every other style the client rectangle.
    static QRegion region(qint32 style, int width, int height);
};

} // namespace scrivlet
