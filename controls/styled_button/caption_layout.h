#pragma once
// Where a button's caption goes: from the client size, the rectangle the caption needs (measured in
// (4, 4, W - 4, H - 4) with word-break) and the alignment, the caption rectangle and its text flags.
#include "controls/raster/gdi_types.h"

namespace scrivlet {

struct CaptionPlacement
{
    gdi::Rect rect;
    quint32 textFormat = 0;
};

class CaptionLayout
{
public:
    // measured: the caption's needed rectangle (its left and top stay at 4). previousFormat is kept
    // for an unknown alignment. margin is the look's inner margin.
    static CaptionPlacement place(int width, int height, const gdi::Rect &measured, qint32 captionAlign,
                                  int margin, bool rightToLeft, quint32 previousFormat);
};

} // namespace scrivlet
