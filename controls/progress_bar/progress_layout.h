#pragma once
// The geometry that the progress bar keeps between drawings: where the fill, the separators and
// the caption went (GDI rectangles: right and bottom lie just outside).
#include "controls/raster/gdi_types.h"

#include <QString>

namespace scrivlet {

struct ProgressLayout
{
    double fillFraction = 0.0; // share of the bar filled by looks 0 to 2
    gdi::Rect client;          // the drawing area
    gdi::Rect fill;            // the filled part of the bar
    gdi::Rect separator;       // the last white gap of look 0
    gdi::Rect caption;         // where the caption went
    int blockWidth = 0;        // 6 for look 0, else 0
    int blockGap = 0;          // always 2 once a bar look ran
    QString captionText;       // "45 %", or the searching look's text
};

} // namespace scrivlet
