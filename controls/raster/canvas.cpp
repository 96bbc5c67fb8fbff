#include "controls/raster/canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
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

int Canvas::width() const
{
    return scaled() ? qRound(m_image->width() / scale()) : m_image->width();
}

int Canvas::height() const
{
    return scaled() ? qRound(m_image->height() / scale()) : m_image->height();
}

int Canvas::deviceEdge(int x) const
{
    return scaled() ? static_cast<int>(std::floor(x * scale() + 0.5)) : x;
}

int Canvas::strokeWidth() const
{
    return std::max(1, static_cast<int>(std::floor(scale() + 0.5)));
}

QImage Canvas::surfaceImage(QSize size, qreal scale, QImage::Format format)
{
    QImage image(qRound(size.width() * scale), qRound(size.height() * scale), format);
    image.setDevicePixelRatio(scale);
    return image;
}

int Canvas::logicalOf(int d) const
{
    // The cell x with deviceEdge(x) <= d < deviceEdge(x + 1).
    return scaled() ? static_cast<int>(std::ceil((d + 0.5) / scale())) - 1 : d;
}

int Canvas::strokeStart(int c, int extent) const
{
    const int w = strokeWidth();
    return std::clamp(deviceEdge(c), 0, std::max(extent - w, 0));
}

void Canvas::fillDevice(int x1, int y1, int x2, int y2, const Brush &brush)
{
    const int left = std::max(x1, 0);
    const int right = std::min(x2, m_image->width());
    const int top = std::max(y1, 0);
    const int bottom = std::min(y2, m_image->height());
    for (int y = top; y < bottom && left < right; ++y)
        fillSpan(left, right, y, brush);
}

void Canvas::strokeRow(int x1, int x2, int y, const Brush &brush)
{
    const int top = strokeStart(y, m_image->height());
    fillDevice(deviceEdge(x1), top, deviceEdge(x2), top + strokeWidth(), brush);
}

void Canvas::strokeColumn(int x, int y1, int y2, const Brush &brush)
{
    const int left = strokeStart(x, m_image->width());
    fillDevice(left, deviceEdge(y1), left + strokeWidth(), deviceEdge(y2), brush);
}

void Canvas::plot(int x, int y, ColorRef color)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    if (!scaled()) {
        reinterpret_cast<QRgb *>(m_image->scanLine(y))[x] = toQRgb(color);
        return;
    }
    const int w = strokeWidth();
    const int left = strokeStart(x, m_image->width());
    const int top = strokeStart(y, m_image->height());
    fillDevice(left, top, left + w, top + w, Brush::solid(color));
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
    const int dx = std::min(deviceEdge(x), m_image->width() - 1);
    const int dy = std::min(deviceEdge(y), m_image->height() - 1);
    return fromQRgb(reinterpret_cast<const QRgb *>(m_image->constScanLine(dy))[dx]);
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
    if (scaled() && (dx == 0 || dy == 0)) {
        // A straight line is one stroke across the cells it passes, the end cell left out.
        const bool across = dy == 0;
        const int a = across ? from.x : from.y;
        const int b = across ? x : y;
        const int extent = across ? width() : height();
        const int at = across ? from.y : from.x; // the row (or column) the stroke lies on
        if (at < 0 || at >= (across ? height() : width()))
            return;
        const int first = std::max(b > a ? a : b + 1, 0);
        const int last = std::min(b > a ? b - 1 : a, extent - 1);
        if (first > last)
            return;
        if (across)
            strokeRow(first, last + 1, from.y, Brush::solid(m_penColor));
        else
            strokeColumn(from.x, first, last + 1, Brush::solid(m_penColor));
        return;
    }
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
        // Patterns repeat in 1x cells, so a scaled one is the 1x pattern enlarged.
        const int v = positiveMod(logicalOf(y) - m_brushOrigin.y, 8);
        const QRgb line = toQRgb(brush.color());
        const QRgb gap = toQRgb(m_bkColor);
        for (int x = x1; x < x2; ++x) {
            if (Brush::hatchBit(brush.hatchStyle(), positiveMod(logicalOf(x) - m_brushOrigin.x, 8), v))
                row[x] = line;
            else if (m_bkMode == OPAQUE)
                row[x] = gap;
        }
        return;
    }
    case Brush::Kind::Pattern: {
        const QImage &picture = brush.picture();
        const QRgb *source = reinterpret_cast<const QRgb *>(
            picture.constScanLine(positiveMod(logicalOf(y) - m_brushOrigin.y, picture.height())));
        for (int x = x1; x < x2; ++x)
            row[x] = 0xFF000000u | source[positiveMod(logicalOf(x) - m_brushOrigin.x, picture.width())];
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
    fillDevice(deviceEdge(left), deviceEdge(top), deviceEdge(right), deviceEdge(bottom), brush);
}

void Canvas::frameRect(const Rect &rect, ColorRef color)
{
    frameRect(rect, Brush::solid(color));
}

void Canvas::frameRect(const Rect &rect, const Brush &brush)
{
    if (rect.isEmpty())
        return;
    if (!scaled()) {
        fillRect({rect.left, rect.top, rect.right, rect.top + 1}, brush);
        fillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, brush);
        fillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, brush);
        fillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, brush);
        return;
    }
    // Each side is one stroke wide, inside the rectangle's device edges.
    const int w = strokeWidth();
    const int l = deviceEdge(rect.left), t = deviceEdge(rect.top);
    const int r = deviceEdge(rect.right), b = deviceEdge(rect.bottom);
    fillDevice(l, t, r, t + w, brush);
    fillDevice(l, b - w, r, b, brush);
    fillDevice(l, t, l + w, b, brush);
    fillDevice(r - w, t, r, b, brush);
}

bool Canvas::drawEdge(Rect &rect, unsigned edge, unsigned flags)
{
    const unsigned outer = edge & BDR_OUTER;
    const unsigned inner = edge & BDR_INNER;
    if (outer == 0 && inner == 0)
        return false;
    const EdgeColors &c = m_edgeColors;

    // One border: top-left lines first, then the bottom-right ones over the shared corners. Scaled,
    // each border is one stroke wide and lies one stroke inside the previous one, counted from the
    // rectangle's device edges, so nested borders keep their width on every side.
    const int w = strokeWidth();
    QRect device(QPoint(deviceEdge(rect.left), deviceEdge(rect.top)),
                 QPoint(deviceEdge(rect.right) - 1, deviceEdge(rect.bottom) - 1));
    auto border = [this, flags, w, &device](Rect &r, ColorRef topLeft, ColorRef bottomRight) {
        if (scaled()) {
            const int l = device.left(), t = device.top(), rr = device.right() + 1, b = device.bottom() + 1;
            if (flags & BF_LEFT)
                fillDevice(l, t, l + w, b, Brush::solid(topLeft));
            if (flags & BF_TOP)
                fillDevice(l, t, rr, t + w, Brush::solid(topLeft));
            if (flags & BF_RIGHT)
                fillDevice(rr - w, t, rr, b, Brush::solid(bottomRight));
            if (flags & BF_BOTTOM)
                fillDevice(l, b - w, rr, b, Brush::solid(bottomRight));
            device.adjust((flags & BF_LEFT) ? w : 0, (flags & BF_TOP) ? w : 0, (flags & BF_RIGHT) ? -w : 0,
                          (flags & BF_BOTTOM) ? -w : 0);
        } else {
            if (flags & BF_LEFT)
                fillRect({r.left, r.top, r.left + 1, r.bottom}, topLeft);
            if (flags & BF_TOP)
                fillRect({r.left, r.top, r.right, r.top + 1}, topLeft);
            if (flags & BF_RIGHT)
                fillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
            if (flags & BF_BOTTOM)
                fillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
        }
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
    if (flags & BF_MIDDLE) {
        const ColorRef middle = (flags & BF_MONO) ? c.window : c.face;
        if (scaled())
            fillDevice(device.left(), device.top(), device.right() + 1, device.bottom() + 1,
                       Brush::solid(middle));
        else
            fillRect(inside, middle);
    }
    if (flags & BF_ADJUST)
        rect = inside;
    return true;
}

void Canvas::bitBlt(int xDst, int yDst, int w, int h, const QImage &source, int xSrc, int ySrc)
{
    if (scaled()) {
        scaledBlt(xDst, yDst, w, h, source, xSrc, ySrc);
        return;
    }
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

void Canvas::scaledBlt(int xDst, int yDst, int w, int h, const QImage &source, int xSrc, int ySrc)
{
    const QImage src =
        source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    // A source drawn at this scale is copied pixel for pixel; any other is taken by its 1x cells.
    const bool sameScale = src.devicePixelRatio() == scale();
    const qreal srcScale = src.devicePixelRatio();
    const int left = std::max(deviceEdge(xDst), 0);
    const int top = std::max(deviceEdge(yDst), 0);
    const int right = std::min(deviceEdge(xDst + w), m_image->width());
    const int bottom = std::min(deviceEdge(yDst + h), m_image->height());
    auto sourceOf = [&](int d, int dst, int from) {
        if (sameScale)
            return d - deviceEdge(dst) + deviceEdge(from);
        return static_cast<int>(std::floor((logicalOf(d) - dst + from) * srcScale));
    };
    for (int y = top; y < bottom; ++y) {
        const int sy = sourceOf(y, yDst, ySrc);
        if (sy < 0 || sy >= src.height())
            continue;
        const QRgb *from = reinterpret_cast<const QRgb *>(src.constScanLine(sy));
        QRgb *to = reinterpret_cast<QRgb *>(m_image->scanLine(y));
        for (int x = left; x < right; ++x) {
            const int sx = sourceOf(x, xDst, xSrc);
            if (sx >= 0 && sx < src.width())
                to[x] = 0xFF000000u | from[sx];
        }
    }
}

void Canvas::drawPicture(const QImage &picture, const Rect &dest, std::optional<ColorRef> transparent)
{
    if (picture.isNull() || dest.isEmpty())
        return;
    // Drawn at the device's resolution: scaled once to the device rectangle.
    const QRect target(deviceEdge(dest.left), deviceEdge(dest.top),
                       deviceEdge(dest.right) - deviceEdge(dest.left),
                       deviceEdge(dest.bottom) - deviceEdge(dest.top));
    QImage scaled =
        picture.scaled(target.width(), target.height(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    scaled.setDevicePixelRatio(1.0);
    if (transparent) {
        const QRgb key = toQRgb(*transparent) & 0xFFFFFFu;
        for (int y = 0; y < scaled.height(); ++y) {
            QRgb *row = reinterpret_cast<QRgb *>(scaled.scanLine(y));
            for (int x = 0; x < scaled.width(); ++x)
                if ((row[x] & 0xFFFFFFu) == key)
                    row[x] = 0;
        }
    }
    const qreal ratio = scale();
    m_image->setDevicePixelRatio(1.0);
    {
        QPainter painter(m_image);
        painter.drawImage(target.topLeft(), scaled);
    }
    m_image->setDevicePixelRatio(ratio);
}

} // namespace gdi

} // namespace scrivlet
