#pragma once
// The plain values of the GDI drawing model that the controls' painters speak in: colours as
// 0x00BBGGRR, rectangles whose right and bottom edges are exclusive, and the numeric constants of
// edges, border flags, hatch styles, text formats, background and polygon fill modes. The numbers
// are GDI's own, so values read from stored designs mean the same thing here.
#include <QRgb>
#include <cstdint>

namespace scrivlet {

namespace gdi {

// A literal colour 0x00BBGGRR (red in the low byte).
using ColorRef = std::uint32_t;

// "No colour": what a failed colour translation or a pixel read outside the surface yields (-1).
inline constexpr ColorRef CLR_INVALID = 0xFFFFFFFFu;

constexpr ColorRef RGB(int r, int g, int b)
{
    return static_cast<ColorRef>(r & 0xFF) | (static_cast<ColorRef>(g & 0xFF) << 8) |
           (static_cast<ColorRef>(b & 0xFF) << 16);
}
constexpr int GetRValue(ColorRef c)
{
    return static_cast<int>(c & 0xFFu);
}
constexpr int GetGValue(ColorRef c)
{
    return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int GetBValue(ColorRef c)
{
    return static_cast<int>((c >> 16) & 0xFFu);
}

// The opaque Format_RGB32 pixel of a colour, and back (alpha is dropped).
constexpr QRgb toQRgb(ColorRef c)
{
    return 0xFF000000u | (static_cast<QRgb>(GetRValue(c)) << 16) | (static_cast<QRgb>(GetGValue(c)) << 8) |
           static_cast<QRgb>(GetBValue(c));
}
constexpr ColorRef fromQRgb(QRgb p)
{
    return RGB(static_cast<int>((p >> 16) & 0xFFu), static_cast<int>((p >> 8) & 0xFFu),
               static_cast<int>(p & 0xFFu));
}

struct Point
{
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point &, const Point &) = default;
};

// A GDI rectangle: covers the pixels left <= x < right, top <= y < bottom.
struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    // True when it covers no pixel (GDI's IsRectEmpty).
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend constexpr bool operator==(const Rect &, const Rect &) = default;
};

// DrawEdge border kinds: one outer and one inner border.
inline constexpr unsigned BDR_RAISEDOUTER = 0x0001;
inline constexpr unsigned BDR_SUNKENOUTER = 0x0002;
inline constexpr unsigned BDR_RAISEDINNER = 0x0004;
inline constexpr unsigned BDR_SUNKENINNER = 0x0008;
inline constexpr unsigned BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
inline constexpr unsigned BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER; // 5
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER; // 10
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER; // 6
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;   // 9

// DrawEdge flags: which sides, and what else.
inline constexpr unsigned BF_LEFT = 0x0001;
inline constexpr unsigned BF_TOP = 0x0002;
inline constexpr unsigned BF_RIGHT = 0x0004;
inline constexpr unsigned BF_BOTTOM = 0x0008;
inline constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM; // 15
inline constexpr unsigned BF_MIDDLE = 0x0800;                                // fill the inside with face
inline constexpr unsigned BF_SOFT = 0x1000;                                  // accepted, drawn as without
inline constexpr unsigned BF_ADJUST = 0x2000;                                // shrink the rect to the inside
inline constexpr unsigned BF_FLAT = 0x4000;                                  // shadow outline on face
inline constexpr unsigned BF_MONO = 0x8000;                                  // window-frame outline

// Hatch brush styles (8 x 8 patterns).
inline constexpr int HS_HORIZONTAL = 0;
inline constexpr int HS_VERTICAL = 1;
inline constexpr int HS_FDIAGONAL = 2;
inline constexpr int HS_BDIAGONAL = 3;
inline constexpr int HS_CROSS = 4;
inline constexpr int HS_DIAGCROSS = 5;

// Background modes: whether hatch gaps and text backgrounds are painted in the background colour.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Polygon fill modes.
inline constexpr int ALTERNATE = 1;
inline constexpr int WINDING = 2;

// DrawText format flags.
inline constexpr unsigned DT_TOP = 0x00000000;
inline constexpr unsigned DT_LEFT = 0x00000000;
inline constexpr unsigned DT_CENTER = 0x00000001;
inline constexpr unsigned DT_RIGHT = 0x00000002;
inline constexpr unsigned DT_VCENTER = 0x00000004;    // only with DT_SINGLELINE
inline constexpr unsigned DT_BOTTOM = 0x00000008;     // only with DT_SINGLELINE
inline constexpr unsigned DT_WORDBREAK = 0x00000010;  // break lines between words to fit the width
inline constexpr unsigned DT_SINGLELINE = 0x00000020; // line breaks are not honoured
inline constexpr unsigned DT_EXPANDTABS = 0x00000040;
inline constexpr unsigned DT_NOCLIP = 0x00000100;     // do not clip to the rectangle
inline constexpr unsigned DT_CALCRECT = 0x00000400;   // only measure: adjust the rectangle, draw nothing
inline constexpr unsigned DT_NOPREFIX = 0x00000800;   // "&" is an ordinary character
inline constexpr unsigned DT_RTLREADING = 0x00020000; // right-to-left reading order
inline constexpr unsigned DT_HIDEPREFIX = 0x00100000; // "&" marks are removed but not underlined

} // namespace gdi

} // namespace scrivlet
