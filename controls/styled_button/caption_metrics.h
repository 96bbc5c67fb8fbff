#pragma once
// Measures the rectangle a caption needs, with the same text routine that later draws it.
#include "controls/raster/gdi_types.h"

#include <QFont>
#include <QString>

namespace scrivlet {

namespace CaptionMetrics {
// The caption measured word-broken within box; left and top stay those of box.
gdi::Rect measure(const QString &caption, const QFont &font, const gdi::Rect &box, bool rightToLeft);
} // namespace CaptionMetrics

} // namespace scrivlet
