#pragma once
// Canvas: a GDI-like device context over a Format_RGB32 QImage. The controls' painters draw through
// it so their pixels follow GDI's rules exactly:
//  - lines are one-pixel cosmetic lines that leave out their end pixel (see lineTo);
//  - fillRect covers [left, right) x [top, bottom); frameRect draws a one-pixel frame inside;
//  - drawEdge gives the 3-D borders of DrawEdge in the edge colours;
//  - hatch and pattern brushes are aligned to the brush origin.
// Shapes are written pixel by pixel (never through QPainter); text is the one thing drawn with
// QPainter, clipped to its rectangle. Everything outside the image is clipped silently.
//
// The image may carry a devicePixelRatio s (a high-DPI surface). The painters still draw in the
// 1x coordinates of width() x height(), and the canvas maps them to device pixels by one rule: a 1x
// edge at x lies at floor(x * s + 0.5), so a rectangle covers the device pixels between its mapped
// edges, and a one-pixel stroke (a line, a single pixel, a frame or edge side) is
// max(1, floor(s + 0.5)) device pixels wide, kept inside the image and inside the rectangle it
// frames. At s = 2 every 1x pixel becomes a 2 x 2 block. Text and pictures are drawn at the
// device's resolution.
//
// Like a device context it carries state that the drawing calls use: text colour (black),
// background colour (white), background mode (OPAQUE), brush origin (0, 0), font, pen colour
// (black), the current position of moveTo/lineTo (0, 0) and the edge colours (standard scheme).
#include "controls/raster/brush.h"
#include "controls/raster/edge_colors.h"
#include "controls/raster/gdi_types.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <optional>
#include <span>

namespace scrivlet {

namespace gdi {

class Canvas
{
public:
    // Draws on target, which must outlive the canvas; it is converted to Format_RGB32 if needed.
    explicit Canvas(QImage &target);

    QImage &image() { return *m_image; }
    const QImage &image() const { return *m_image; }
    // The 1x size of the surface.
    int width() const;
    int height() const;
    // The image's devicePixelRatio.
    qreal scale() const { return m_image->devicePixelRatio(); }
    // Where the 1x edge at x lies in device pixels: floor(x * scale() + 0.5).
    int deviceEdge(int x) const;
    // The device width of a one-pixel stroke: max(1, floor(scale() + 0.5)).
    int strokeWidth() const;
    // An image for a surface of the given 1x size at a scale: Qt's rounded device size, carrying
    // the scale as its devicePixelRatio.
    static QImage surfaceImage(QSize size, qreal scale, QImage::Format format = QImage::Format_RGB32);
    // (0, 0, width, height).
    Rect bounds() const { return {0, 0, width(), height()}; }

    // Device-context state.
    void setTextColor(ColorRef color) { m_textColor = color; }
    ColorRef textColor() const { return m_textColor; }
    void setBkColor(ColorRef color) { m_bkColor = color; }
    ColorRef bkColor() const { return m_bkColor; }
    void setBkMode(int mode) { m_bkMode = mode; } // TRANSPARENT or OPAQUE
    int bkMode() const { return m_bkMode; }
    void setBrushOrigin(Point origin) { m_brushOrigin = origin; }
    Point brushOrigin() const { return m_brushOrigin; }
    void setPenColor(ColorRef color) { m_penColor = color; }
    ColorRef penColor() const { return m_penColor; }
    void setFont(const QFont &font) { m_font = font; }
    const QFont &font() const { return m_font; }
    void setEdgeColors(const EdgeColors &colors) { m_edgeColors = colors; }
    const EdgeColors &edgeColors() const { return m_edgeColors; }

    // SetPixel: sets one pixel; returns the colour set, or CLR_INVALID outside the image.
    ColorRef setPixel(int x, int y, ColorRef color);
    // GetPixel: the pixel's colour, or CLR_INVALID outside the image.
    ColorRef getPixel(int x, int y) const;

    // MoveToEx: sets the current position and returns the previous one.
    Point moveTo(int x, int y);
    // LineTo with a one-pixel solid pen of penColor(): from the current position to (x, y), the end
    // pixel left out, and the current position becomes (x, y). Along the major axis (x when
    // |dx| >= |dy|) every pixel from the start up to but excluding the end is set once; the minor
    // coordinate is the exact line's value rounded to the nearest integer, an exact half going to
    // the smaller coordinate (up for mostly-horizontal lines, left for mostly-vertical ones).
    // A line to the current position draws nothing, nor does one with a coordinate beyond
    // +-(2^27 - 1), outside GDI's coordinate space.
    void lineTo(int x, int y);
    // MoveTo (x1, y1) and LineTo (x2, y2) with a pen of the given colour, as a painter does with a
    // pen of its own; the pen colour state is left unchanged.
    void drawLine(int x1, int y1, int x2, int y2, ColorRef color);
    // Polyline: lines through the points in turn (each leaving out its end pixel, so a closed
    // outline repeats its first point at the end). The current position is not used or changed.
    void polyline(std::span<const Point> points, ColorRef color);

    // FillRect: the pixels left <= x < right, top <= y < bottom. Nothing for an empty rectangle.
    void fillRect(const Rect &rect, ColorRef color);
    void fillRect(const Rect &rect, const Brush &brush);
    // FrameRect: a one-pixel frame along the inside of the rectangle (columns left and right - 1,
    // rows top and bottom - 1). Nothing for an empty rectangle.
    void frameRect(const Rect &rect, ColorRef color);
    void frameRect(const Rect &rect, const Brush &brush);

    // DrawEdge: an outer and an inner one-pixel border (edge = one BDR_*OUTER and/or one BDR_*INNER,
    // e.g. EDGE_ETCHED) on the sides that flags names (BF_RECT: all four). Each border's top-left
    // lines take the top-left colour and its bottom-right lines the bottom-right colour; the
    // bottom-right lines run the full length, so the top-right and bottom-left corner pixels take
    // the bottom-right colour. The inner border lies one pixel inside the outer one on the sides
    // drawn. Colours (raised outer: light / dark shadow; raised inner: highlight / shadow; sunken
    // outer: shadow / highlight; sunken inner: dark shadow / light) come from edgeColors(); BF_FLAT
    // draws shadow outside and face inside, BF_MONO window frame outside and window inside.
    // BF_MIDDLE fills the inside with the face colour; BF_ADJUST sets rect to the inside. Returns
    // false (drawing nothing) when edge names no border.
    bool drawEdge(Rect &rect, unsigned edge, unsigned flags);

    // BitBlt with SRCCOPY: copies w x h pixels from source (xSrc, ySrc) to (xDst, yDst); parts
    // outside either image are skipped.
    void bitBlt(int xDst, int yDst, int w, int h, const QImage &source, int xSrc, int ySrc);
    // A picture scaled to dest (nearest neighbour), blended by its alpha. With transparent set,
    // the picture's pixels of that colour are left out.
    void drawPicture(const QImage &picture, const Rect &dest, std::optional<ColorRef> transparent = {});

    // DrawText in font() and textColor(); with OPAQUE background mode each line's box is first
    // filled with bkColor(). Every line is the font's height (ascent + descent). "&" marks the
    // following character as the access key (underlined; "&&" is a literal "&") unless
    // DT_NOPREFIX; DT_HIDEPREFIX removes the marks without underline. DT_WORDBREAK breaks lines
    // between words to fit the width (a single word wider than the rectangle is not broken);
    // without DT_SINGLELINE, CR, LF and CR LF break lines. Lines are placed by DT_LEFT / DT_CENTER
    // / DT_RIGHT, centring at left + (width - line width) / 2. DT_VCENTER and DT_BOTTOM apply only
    // to DT_SINGLELINE text; otherwise text starts at the top. DT_RTLREADING lays the text out
    // right to left without changing the alignment. The text is clipped to the rectangle unless
    // DT_NOCLIP (a rectangle with right < left or bottom < top then shows nothing).
    // With DT_CALCRECT nothing is drawn: rect keeps its left and top, its right becomes left plus
    // the widest line's width and its bottom top plus the text's height (an empty text gives an
    // empty rectangle at the same left and top).
    // Returns the distance from rect's top to the bottom of the text: the text's height, plus the
    // offset of single-line text placed by DT_VCENTER or DT_BOTTOM; 0 for an empty text.
    int drawText(const QString &text, Rect &rect, unsigned format);

private:
    bool scaled() const { return scale() != 1.0; }
    void plot(int x, int y, ColorRef color);
    // Device pixels x1 <= x < x2 of device row y (inside the image).
    void fillSpan(int x1, int x2, int y, const Brush &brush);
    // The device rectangle [x1, x2) x [y1, y2), clipped to the image.
    void fillDevice(int x1, int y1, int x2, int y2, const Brush &brush);
    // The device start of a stroke on 1x column (or row) c: c's edge, moved in so that the stroke
    // stays inside [0, extent).
    int strokeStart(int c, int extent) const;
    // A horizontal stroke on row y from column x1 up to x2 (1x, x2 excluded), and a vertical one.
    void strokeRow(int x1, int x2, int y, const Brush &brush);
    void strokeColumn(int x, int y1, int y2, const Brush &brush);
    void scaledBlt(int xDst, int yDst, int w, int h, const QImage &source, int xSrc, int ySrc);
    // The 1x column (or row) whose cell holds device pixel d.
    int logicalOf(int d) const;

    QImage *m_image;
    ColorRef m_textColor = 0x000000;
    ColorRef m_bkColor = 0xFFFFFF;
    int m_bkMode = OPAQUE;
    Point m_brushOrigin;
    Point m_position;
    ColorRef m_penColor = 0x000000;
    QFont m_font;
    EdgeColors m_edgeColors = EdgeColors::standard();
};

} // namespace gdi

} // namespace scrivlet
