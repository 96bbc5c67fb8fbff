#pragma once
// ButtonPainter: the face of a button as a pure function of its look, state, properties and size.
// ButtonFaceInput holds every drawing input; the button keeps its properties in one, so a redraw
// hands over the button's own values. Colours are stored values (literal 0x00BBGGRR, or a system
// colour reference) and are translated with the system colours given in `system`.
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
    qreal scale = 1.0; // device pixels per pixel: the face is drawn at the device's resolution
    ButtonLook look = ButtonLook::LookGradient; // `Style`
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
    ButtonLook nonThemeStyle = ButtonLook::LookGradient; // stands in for a look without a theme
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
    QImage image;   // Format_RGB32, the input's size at its scale (devicePixelRatio set)
    int margin = 3; // the look's inner margin
    ButtonState state = ButtonState::Normal;            // the state after correction (disabled, toggled down)
    ButtonLook look = ButtonLook::LookGradient;         // the look drawn (a themeless LookTheme is replaced)
    gdi::ColorRef background = gdi::RGB(240, 240, 240); // the background colour the face left behind
    QRegion themeOutline;                               // LookTheme with rounded borders: the theme's outline
    gdi::ColorRef faceColor = gdi::CLR_INVALID;         // the face at the button's centre, under the caption
    gdi::ColorRef captionColor = gdi::CLR_INVALID;      // the colour the caption was drawn in
};

class ButtonPainter
{
public:
    static ButtonFace paint(const ButtonFaceInput &in);
    // The inner margin each look leaves for icon and caption.
    static int marginOf(ButtonLook look);
};

} // namespace scrivlet
