#pragma once
// The geometry that the progress bar keeps between drawings: where the fill, the separators and
// the caption went. Rectangles are GDI-style: right and bottom lie just outside.
#include <QString>

struct BarRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const BarRect &) const = default;
};

struct ProgressLayout
{
    double fillFraction = 0.0; // share of the bar filled by looks 0 to 2
    BarRect client;            // the drawing area
    BarRect fill;              // the filled part of the bar
    BarRect separator;         // the last white gap of look 0
    BarRect caption;           // where the caption went
    int blockWidth = 0;        // 6 for look 0, else 0
    int blockGap = 0;          // always 2 once a bar look ran
    QString captionText;       // "45 %", or the searching look's text
};
