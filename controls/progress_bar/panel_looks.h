#pragma once
// The looks drawn as a filled panel, horizontal only: flat (3), etched (4, the main window's),
// shaded (5), dark (6), hatched (7), picture (8) and glossy (9).
#include "controls/progress_bar/look_context.h"

namespace scrivlet {

class PanelLooks
{
public:
    explicit PanelLooks(const LookContext &context) : m_c(context) {}

    void DrawFlatStyle();
    void DrawEtchedStyle();
    void DrawShadedStyle();
    void DrawDarkStyle();
    void DrawHatchStyle();
    void DrawPictureStyle();
    void DrawGlossyStyle();

private:
    // rounded(percentage / divisor x (right - left - inset) + left): the fill's right end.
    int fillEnd(double divisor, int inset) const;

    LookContext m_c;
};

} // namespace scrivlet
