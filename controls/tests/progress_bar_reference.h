#pragma once
// Expected pictures of the progress bar's looks, worked out pixel by pixel from the drawing rules
// (which rows, columns and colours each look produces), independently of the painter. Edges and
// brush patterns come from the canvas, whose own tests cover them.
#include <QImage>
#include <cstdint>
#include <vector>

namespace scrivlet {

namespace reference {

// A white (or, for look 6, black) bar of the given size with the look drawn at percentage p,
// horizontal, colour k (resolved 0x00BBGGRR), caption off. brushStyle and pattern serve looks 7, 8.
QImage expectedBar(int look, int p, std::uint32_t k, int width, int height, int brushStyle = 0,
                   const QImage &pattern = QImage());

// The same for the bar looks 0 to 2 drawn vertically.
QImage expectedVerticalBar(int look, int p, std::uint32_t k, int width, int height);

// Colour of line i of a gradient of n + 1 lines from `first` to `last` (0x00BBGGRR).
std::uint32_t gradientColor(std::uint32_t first, std::uint32_t last, int n, int i);

// One pixel the frame sets to round a corner.
struct CornerPixel
{
    int x, y;
    std::uint32_t color; // 0x00BBGGRR
};

// The 24 corner pixels of the rounded frame of a width x height bar, in the order they are set:
// the left column top to bottom, then the right column.
std::vector<CornerPixel> frameCorners(int width, int height);

// LightenColor, worked channel by channel.
std::uint32_t lighten(std::uint32_t c, int a);

} // namespace reference

} // namespace scrivlet
