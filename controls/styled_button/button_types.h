#pragma once
// Small value types shared by the button widget, its painter and its layout.
#include <QtGlobal>

namespace scrivlet {

// The visual state of a button; the numbers are those of a themed push button's states.
enum class ButtonState : qint32 {
    Normal = 1,
    Hot = 2,
    Pressed = 3,
    Disabled = 4,
};

// The eleven looks a button can be drawn in (the `Style` property).
enum class ButtonLook : qint32 {
    LookClassic = 0,
    LookThinEdge = 1,
    LookFlatHot = 2,
    LookSoftFrame = 3,
    LookHighlight = 4,
    LookGradient = 5,
    LookTheme = 6,
    LookGradientSystem = 7,
    LookBevel = 8,
    LookBevelGradient = 9,
    LookGlossy = 10,
};

} // namespace scrivlet
