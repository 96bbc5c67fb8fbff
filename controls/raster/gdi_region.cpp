#include "controls/raster/gdi_region.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace scrivlet {

namespace gdi {

namespace {

// An edge's crossing of a scanline as the exact fraction num / den (den > 0), with the edge's
// direction for the winding count.
struct Crossing
{
    qint64 num;
    qint64 den;
    int winding;
};

bool lessThan(const Crossing &a, const Crossing &b)
{
    return a.num * b.den < b.num * a.den;
}

// ceil(num / den) for den > 0.
int ceilFraction(qint64 num, qint64 den)
{
    const qint64 q = num / den;
    return static_cast<int>((num % den != 0 && num > 0) ? q + 1 : q);
}

} // namespace

QRegion createRectRgn(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return {};
    return QRegion(left, top, right - left, bottom - top);
}

QRegion createPolygonRgn(std::span<const Point> points, int fillMode)
{
    if (points.size() < 3)
        return {};
    int minY = points[0].y;
    int maxY = points[0].y;
    for (const Point &p : points) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    QRegion region;
    std::vector<Crossing> crossings;
    for (int y = minY; y < maxY; ++y) {
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point &a = points[i];
            const Point &b = points[(i + 1) % points.size()];
            if (a.y == b.y)
                continue;
            // Half-open in y: an edge counts on the rows from its upper end up to, not
            // including, its lower end, so a point on a top edge is inside and one on a bottom
            // edge is not.
            const Point &upper = a.y < b.y ? a : b;
            const Point &lower = a.y < b.y ? b : a;
            if (y < upper.y || y >= lower.y)
                continue;
            const qint64 den = static_cast<qint64>(lower.y) - upper.y;
            const qint64 num = static_cast<qint64>(upper.x) * den +
                               (static_cast<qint64>(y) - upper.y) * (static_cast<qint64>(lower.x) - upper.x);
            crossings.push_back({num, den, a.y < b.y ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(), lessThan);
        // Lattice points x with start <= x < end are inside: on a left boundary in, on a right
        // boundary out.
        auto addSpan = [&region, y](const Crossing &start, const Crossing &end) {
            const int x1 = ceilFraction(start.num, start.den);
            const int x2 = ceilFraction(end.num, end.den);
            if (x2 > x1)
                region += QRect(x1, y, x2 - x1, 1);
        };
        if (fillMode == WINDING) {
            int winding = 0;
            for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
                winding += crossings[i].winding;
                if (winding != 0)
                    addSpan(crossings[i], crossings[i + 1]);
            }
        } else {
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
                addSpan(crossings[i], crossings[i + 1]);
        }
    }
    return region;
}

QRegion createRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    // The region leaves out the rectangle's last column and row.
    const int w = right - 1 - left;
    const int h = bottom - 1 - top;
    if (w <= 0 || h <= 0)
        return {};
    const int ew = std::min(std::abs(ellipseWidth), w);
    const int eh = std::min(std::abs(ellipseHeight), h);
    if (ew < 2 || eh < 2)
        return QRegion(left, top, w, h);
    const double a = ew / 2.0;
    const double b = eh / 2.0;
    QRegion region;
    for (int row = 0; row < h; ++row) {
        // Distance of the row's centre from the nearer corner ellipse's centre line.
        const double fromTop = b - (row + 0.5);
        const double fromBottom = b - (h - row - 0.5);
        const double dy = std::max(fromTop, fromBottom);
        int inset = 0;
        if (dy > 0.0) {
            const double half = a * std::sqrt(std::max(0.0, 1.0 - (dy * dy) / (b * b)));
            inset = static_cast<int>(std::lround(a - half));
        }
        if (w - 2 * inset > 0)
            region += QRect(left + inset, top + row, w - 2 * inset, 1);
    }
    return region;
}

} // namespace gdi

} // namespace scrivlet
