#pragma once
// Window outlines built with GDI's region rules, as QRegion for QWidget::setMask.
#include "controls/raster/gdi_types.h"

#include <QRegion>
#include <span>

namespace scrivlet {

namespace gdi {

// CreateRectRgn: the pixels of the rectangle (right and bottom exclusive); empty when inverted.
QRegion createRectRgn(int left, int top, int right, int bottom);

// CreatePolygonRgn: pixel (x, y) belongs to the region when the lattice point (x, y) lies inside the
// polygon (ALTERNATE: odd crossings, WINDING: non-zero winding). A point exactly on an edge belongs
// to the region where the inside lies to its right or below it, so a rectangle's polygon gives the
// rectangle's pixels with right and bottom exclusive. A 45-degree cut from (0, k) to (k, 0) removes
// the k(k+1)/2 pixels with x + y < k and keeps those on the diagonal. Fewer than 3 points give an
// empty region.
QRegion createPolygonRgn(std::span<const Point> points, int fillMode);

// CreateRoundRectRgn: the rectangle (left, top) .. (right - 1, bottom - 1), exclusive, with each
// corner cut along a quarter of an ellipse of width ellipseWidth and height ellipseHeight. The
// ellipse is clamped to the rectangle; a size below 2 gives a plain rectangle.
QRegion createRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);

} // namespace gdi

} // namespace scrivlet
