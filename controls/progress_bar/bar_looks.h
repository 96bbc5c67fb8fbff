#pragma once
// The bar looks: blocks (0), smooth (1 and every unknown `Scrolling`) and searching (2), in either
// orientation, and the rounded frame that they share with the glossy look.
#include "controls/progress_bar/look_context.h"

namespace scrivlet {

class BarLooks
{
public:
    explicit BarLooks(const LookContext &context) : m_c(context) {}

    // Draws the whole bar look: layout, fill (or the three searching blocks), gaps, frame.
    void draw();

    // Block grid and fill edge from the percentage; moves the client's left 3 pixels in.
    void LayoutBar();
    void DrawBarFill();
    void DrawSeparators();
    // The frame of looks 0 to 2 and 9; takes the 3 pixels off the client's left again first.
    void DrawBarFrame();

private:
    void drawThreeBlocks();
    bool horizontal() const { return m_c.props.orientation == 0; }

    LookContext m_c;
};

} // namespace scrivlet
