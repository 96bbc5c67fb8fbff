#include "controls/raster/canvas.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace scrivlet {

namespace gdi {

namespace {

// floor(a / b) and ceil(a / b) for b > 0, exact for negative a.
qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

qint64 ceilDiv(qint64 a, qint64 b)
{
    return -floorDiv(-a, b);
}

// round(p / q) for q > 0, an exact half going down: ceil(p / q - 1/2) = ceil((2p - q) / 2q).
int roundHalfDown(qint64 p, qint64 q)
{
    return static_cast<int>(ceilDiv(2 * p - q, 2 * q));
}

constexpr int kCoordinateLimit = (1 << 27) - 1;

int positiveMod(int a, int m)
{
    const int r = a % m;
    return r < 0 ? r + m : r;
}

} // namespace

Canvas::Canvas(QImage &target) : m_image(&target)
{
    if (m_image->format() != QImage::Format_RGB32)
        *m_image = m_image->convertToFormat(QImage::Format_RGB32);
}

void Canvas::plot(int x, int y, ColorRef color)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    reinterpret_cast<QRgb *>(m_image->scanLine(y))[x] = toQRgb(color);
}

ColorRef Canvas::setPixel(int x, int y, ColorRef color)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return CLR_INVALID;
    plot(x, y, color);
    return color & 0xFFFFFFu;
}

ColorRef Canvas::getPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return CLR_INVALID;
    return fromQRgb(reinterpret_cast<const QRgb *>(m_image->constScanLine(y))[x]);
}

Point Canvas::moveTo(int x, int y)
{
    const Point previous = m_position;
    m_position = {x, y};
    return previous;
}

void Canvas::lineTo(int x, int y)
{
    const Point from = m_position;
    m_position = {x, y};
    // Like GDI, coordinates are limited to 28 bits; that also keeps the products below exact.
    for (const int c : {from.x, from.y, x, y})
        if (c < -kCoordinateLimit || c > kCoordinateLimit)
            return;
    const qint64 dx = static_cast<qint64>(x) - from.x;
    const qint64 dy = static_cast<qint64>(y) - from.y;
    const qint64 adx = std::abs(dx);
    const qint64 ady = std::abs(dy);
    if (adx == 0 && ady == 0)
        return;
    const bool xMajor = adx >= ady;
    const qint64 n = xMajor ? adx : ady;
    const int start = xMajor ? from.x : from.y;
    const int step = (xMajor ? dx : dy) > 0 ? 1 : -1;
    // Only the steps whose major coordinate lies on the image: start + step * i in [0, extent).
    const qint64 extent = xMajor ? width() : height();
    qint64 first = step > 0 ? -static_cast<qint64>(start) : static_cast<qint64>(start) - (extent - 1);
    qint64 last = step > 0 ? extent - 1 - start : static_cast<qint64>(start);
    first = std::max<qint64>(first, 0);
    last = std::min<qint64>(last, n - 1);
    for (qint64 i = first; i <= last; ++i) {
        const int major = start + static_cast<int>(i) * step;
        if (xMajor)
            plot(major, from.y + roundHalfDown(dy * i, n), m_penColor);
        else
            plot(from.x + roundHalfDown(dx * i, n), major, m_penColor);
    }
}

void Canvas::drawLine(int x1, int y1, int x2, int y2, ColorRef color)
{
    const ColorRef pen = m_penColor;
    m_penColor = color;
    moveTo(x1, y1);
    lineTo(x2, y2);
    m_penColor = pen;
}

void Canvas::polyline(std::span<const Point> points, ColorRef color)
{
    const Point position = m_position;
    for (std::size_t i = 1; i < points.size(); ++i)
        drawLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, color);
    m_position = position;
}

void Canvas::fillSpan(int x1, int x2, int y, const Brush &brush)
{
    QRgb *row = reinterpret_cast<QRgb *>(m_image->scanLine(y));
    switch (brush.kind()) {
    case Brush::Kind::Null:
        return;
    case Brush::Kind::Solid:
        std::fill(row + x1, row + x2, toQRgb(brush.color()));
        return;
    case Brush::Kind::Hatch: {
        const int v = positiveMod(y - m_brushOrigin.y, 8);
        const QRgb line = toQRgb(brush.color());
        const QRgb gap = toQRgb(m_bkColor);
        for (int x = x1; x < x2; ++x) {
            if (Brush::hatchBit(brush.hatchStyle(), positiveMod(x - m_brushOrigin.x, 8), v))
                row[x] = line;
            else if (m_bkMode == OPAQUE)
                row[x] = gap;
        }
        return;
    }
    case Brush::Kind::Pattern: {
        const QImage &picture = brush.picture();
        const QRgb *source = reinterpret_cast<const QRgb *>(
            picture.constScanLine(positiveMod(y - m_brushOrigin.y, picture.height())));
        for (int x = x1; x < x2; ++x)
            row[x] = 0xFF000000u | source[positiveMod(x - m_brushOrigin.x, picture.width())];
        return;
    }
    }
}

void Canvas::fillRect(const Rect &rect, ColorRef color)
{
    fillRect(rect, Brush::solid(color));
}

void Canvas::fillRect(const Rect &rect, const Brush &brush)
{
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, width());
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, height());
    if (left >= right || top >= bottom)
        return;
    for (int y = top; y < bottom; ++y)
        fillSpan(left, right, y, brush);
}

void Canvas::frameRect(const Rect &rect, ColorRef color)
{
    frameRect(rect, Brush::solid(color));
}

void Canvas::frameRect(const Rect &rect, const Brush &brush)
{
    if (rect.isEmpty())
        return;
    fillRect({rect.left, rect.top, rect.right, rect.top + 1}, brush);
    fillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, brush);
    fillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, brush);
    fillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, brush);
}

bool Canvas::drawEdge(Rect &rect, unsigned edge, unsigned flags)
{
    const unsigned outer = edge & BDR_OUTER;
    const unsigned inner = edge & BDR_INNER;
    if (outer == 0 && inner == 0)
        return false;
    const EdgeColors &c = m_edgeColors;

    // One border: top-left lines first, then the bottom-right ones over the shared corners.
    auto border = [this, flags](Rect &r, ColorRef topLeft, ColorRef bottomRight) {
        if (flags & BF_LEFT)
            fillRect({r.left, r.top, r.left + 1, r.bottom}, topLeft);
        if (flags & BF_TOP)
            fillRect({r.left, r.top, r.right, r.top + 1}, topLeft);
        if (flags & BF_RIGHT)
            fillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
        if (flags & BF_BOTTOM)
            fillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
        if (flags & BF_LEFT)
            ++r.left;
        if (flags & BF_TOP)
            ++r.top;
        if (flags & BF_RIGHT)
            --r.right;
        if (flags & BF_BOTTOM)
            --r.bottom;
    };

    Rect inside = rect;
    if (outer != 0) {
        ColorRef topLeft = (outer & BDR_RAISEDOUTER) ? c.light : c.shadow;
        ColorRef bottomRight = (outer & BDR_RAISEDOUTER) ? c.darkShadow : c.highlight;
        if (flags & BF_MONO)
            topLeft = bottomRight = c.windowFrame;
        else if (flags & BF_FLAT)
            topLeft = bottomRight = c.shadow;
        border(inside, topLeft, bottomRight);
    }
    if (inner != 0) {
        ColorRef topLeft = (inner & BDR_RAISEDINNER) ? c.highlight : c.darkShadow;
        ColorRef bottomRight = (inner & BDR_RAISEDINNER) ? c.shadow : c.light;
        if (flags & BF_MONO)
            topLeft = bottomRight = c.window;
        else if (flags & BF_FLAT)
            topLeft = bottomRight = c.face;
        border(inside, topLeft, bottomRight);
    }
    if (flags & BF_MIDDLE)
        fillRect(inside, (flags & BF_MONO) ? c.window : c.face);
    if (flags & BF_ADJUST)
        rect = inside;
    return true;
}

void Canvas::bitBlt(int xDst, int yDst, int w, int h, const QImage &source, int xSrc, int ySrc)
{
    const QImage src =
        source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    // Offsets into the block that both images hold.
    const qint64 colFirst = std::max<qint64>({0, -static_cast<qint64>(xSrc), -static_cast<qint64>(xDst)});
    const qint64 colEnd =
        std::min<qint64>({w, static_cast<qint64>(src.width()) - xSrc, static_cast<qint64>(width()) - xDst});
    const qint64 rowFirst = std::max<qint64>({0, -static_cast<qint64>(ySrc), -static_cast<qint64>(yDst)});
    const qint64 rowEnd =
        std::min<qint64>({h, static_cast<qint64>(src.height()) - ySrc, static_cast<qint64>(height()) - yDst});
    for (qint64 row = rowFirst; row < rowEnd; ++row) {
        const QRgb *from = reinterpret_cast<const QRgb *>(src.constScanLine(static_cast<int>(ySrc + row)));
        QRgb *to = reinterpret_cast<QRgb *>(m_image->scanLine(static_cast<int>(yDst + row)));
        for (qint64 col = colFirst; col < colEnd; ++col)
            to[xDst + col] = 0xFF000000u | from[xSrc + col];
    }
}

void Canvas::drawPicture(const QImage &picture, const Rect &dest, std::optional<ColorRef> transparent)
{
    if (picture.isNull() || dest.isEmpty())
        return;
    QImage scaled = picture.scaled(dest.width(), dest.height(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                        .convertToFormat(QImage::Format_ARGB32);
    if (transparent) {
        const QRgb key = toQRgb(*transparent) & 0xFFFFFFu;
        for (int y = 0; y < scaled.height(); ++y) {
            QRgb *row = reinterpret_cast<QRgb *>(scaled.scanLine(y));
            for (int x = 0; x < scaled.width(); ++x)
                if ((row[x] & 0xFFFFFFu) == key)
                    row[x] = 0;
        }
    }
    QPainter painter(m_image);
    painter.drawImage(dest.left, dest.top, scaled);
}

} // namespace gdi

} // namespace scrivlet
