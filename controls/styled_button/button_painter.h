#pragma once
// ButtonPainter: the face of a button as a pure function of its look, state, properties and size.
// Colours arrive already translated to literal RGB values, so the result depends on nothing else.
#include "controls/styled_button/button_system_colors.h"
#include "controls/styled_button/button_types.h"
#include "controls/styled_button/caption_layout.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QSize>
#include <QString>

class QStyle;

namespace scrivlet {

struct ButtonFaceInput
{
    QSize size{20, 20};
    qint32 style = 5;
    ButtonState state = ButtonState::Normal;
    bool isShown = true;
    bool enabled = true;
    bool hasFocus = false;
    bool displayAsDefault = false;
    bool designMode = false;
    bool showFocus = false;
    bool useCustomColors = false;
    gdi::ColorRef backColor = gdi::RGB(240, 240, 240);
    gdi::ColorRef highlightColor = gdi::RGB(0, 120, 215);
    gdi::ColorRef fontColor = gdi::RGB(0, 0, 0);
    gdi::ColorRef fontHighlightColor = gdi::RGB(0, 0, 0);
    qint32 buttonType = 0;
    bool value = false;
    qint32 nonThemeStyle = 5;
    bool roundedBordersByTheme = false;
    QString caption;
    QFont font;
    gdi::Rect captionRect;
    quint32 textFormat = gdi::DT_WORDBREAK | gdi::DT_CENTER;
    QImage icon; // null: no icon
    qint32 iconAlign = 1;
    int iconSize = 16;
    bool useMaskColor = false;
    gdi::ColorRef maskColor = gdi::RGB(192, 192, 192);
    ButtonSystemColors system = ButtonSystemColors::current();
    gdi::ColorRef background = gdi::CLR_INVALID; // left by the previous redraw (none: the face)
    const QStyle *qstyle = nullptr;              // draws the themed look; none: the non-theme stand-in
};

struct ButtonFace
{
    QImage image;                                       // Format_RGB32, size of the input
    int margin = 3;                                     // the look's inner margin
    ButtonState state = ButtonState::Normal;            // the state after correction (disabled, toggled down)
    qint32 style = 5;                                   // the style drawn (a themeless style 6 is replaced)
    gdi::ColorRef background = gdi::RGB(240, 240, 240); // the background colour the face left behind
    QRegion themeOutline;                               // style 6 with rounded borders: the theme's outline
};

class ButtonPainter
{
public:
    static ButtonFace paint(const ButtonFaceInput &in);
    // The inner margin each look leaves for icon and caption.
    static int marginOf(qint32 style);
};

} // namespace scrivlet
