#include "controls/tests/progress_bar_reference.h"

#include "controls/raster/canvas.h"

#include <algorithm>
#include <cmath>

namespace scrivlet {

namespace reference {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

int channel(std::uint32_t c, int shift)
{
    return static_cast<int>((c >> shift) & 0xFFu);
}

std::uint32_t rgb(int r, int g, int b)
{
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

// Mix(c, black, a): each channel scaled by a / 255 and rounded, halves to even.
std::uint32_t darken(std::uint32_t c, int a)
{
    const auto scale = [a](int v) { return static_cast<int>(std::nearbyint(v * a / 255.0)); };
    return rgb(scale(channel(c, 0)), scale(channel(c, 8)), scale(channel(c, 16)));
}

int rounded(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

class Picture
{
public:
    Picture(int width, int height, std::uint32_t background) : m_image(width, height, QImage::Format_RGB32)
    {
        m_image.fill(toQt(background));
    }
    void pixel(int x, int y, std::uint32_t c)
    {
        if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
            m_image.setPixel(x, y, toQt(c));
    }
    // Cells x in [x0, x1), y in [y0, y1).
    void block(int x0, int y0, int x1, int y1, std::uint32_t c)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                pixel(x, y, c);
    }
    // A horizontal line from x0 towards x1 without its end pixel, either way round.
    void line(int x0, int x1, int y, std::uint32_t c)
    {
        if (x1 >= x0)
            block(x0, y, x1, y + 1, c);
        else
            block(x1 + 1, y, x0 + 1, y + 1, c);
    }
    void border(std::uint32_t c)
    {
        const int r = m_image.width(), b = m_image.height();
        block(0, 0, r, 1, c);
        block(0, b - 1, r, b, c);
        block(0, 0, 1, b, c);
        block(r - 1, 0, r, b, c);
    }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    QImage &image() { return m_image; }

    static QRgb toQt(std::uint32_t c) { return qRgb(channel(c, 0), channel(c, 8), channel(c, 16)); }

private:
    QImage m_image;
};

// GDI's own primitives (3-D edges, hatch and pattern brushes) come from the canvas.
void edge(QImage &image, unsigned kind)
{
    gdi::Canvas canvas(image);
    gdi::Rect all = canvas.bounds();
    canvas.drawEdge(all, kind, gdi::BF_RECT);
}

void hatch(QImage &image, const gdi::Rect &rect, int style, std::uint32_t line, std::uint32_t gap)
{
    gdi::Canvas canvas(image);
    canvas.setBkColor(gap);
    canvas.fillRect(rect, gdi::Brush::hatch(style, line));
}

void patternFill(QImage &image, const gdi::Rect &rect, const QImage &pattern)
{
    gdi::Canvas canvas(image);
    canvas.fillRect(rect, gdi::Brush::pattern(pattern));
}

// The rounded frame shared by the bar looks and the glossy look.
void barFrame(Picture &pic)
{
    const int r = pic.width(), b = pic.height();
    pic.block(2, 1, r - 2, 2, 0xBEBEBE);
    pic.block(2, b - 2, r - 2, b - 1, 0xEFEFEF);
    pic.block(1, 2, 2, b - 2, 0xBEBEBE);
    pic.block(2, 2, 3, b - 2, 0xEFEFEF);
    pic.block(2, 2, r - 2, 3, 0xEFEFEF);
    pic.block(r - 2, 2, r - 1, b - 2, 0xEFEFEF);
    pic.border(0x686868);
    for (const CornerPixel &corner : frameCorners(r, b))
        pic.pixel(corner.x, corner.y, corner.color);
}

// Looks 0, 1 and 2, horizontal.
void bar(Picture &pic, int look, int p, std::uint32_t k)
{
    const int r = pic.width(), b = pic.height();
    const int grid = look == 0 ? 8 : 2;
    const double fraction = p / 98.0 < 0 ? 0.0 : p / 98.0;
    const int t = rounded((r - 3) * fraction + 3);
    int fillRight = t - (t - 3) % grid;
    if (fillRight < 3)
        fillRight = 3;
    if (fillRight < 15)
        fillRight = 12; // the stub
    if (look == 2) {
        for (int i = 0; i < 3; ++i) {
            const int x = rounded(fillRight + 12 * i - (100 - p) / 100.0 * 45);
            for (int col = 0; col <= 9; ++col)
                pic.block(x + col, 3, x + col + 1, b - 2,
                          gradientColor(lighten(k, 220 - 40 * i), lighten(k, 200 - 40 * i), 9, col));
        }
    } else {
        const int right = fillRight + 4 > r ? fillRight - 4 : fillRight;
        // Upper shine from the light tint into the colour, then the lower one (over it) back out.
        for (int y = 3; y <= 9; ++y)
            pic.block(4, y, right, y + 1, gradientColor(lighten(k, 150), k, 6, y - 3));
        pic.block(4, 8, right, b - 8, k);
        for (int y = b - 10; y <= b - 4; ++y)
            pic.block(4, y, right, y + 1, gradientColor(k, lighten(k, 150), 6, y - (b - 10)));
        if (look == 0)
            for (int x = 9; x <= fillRight; x += 8)
                pic.block(x + 1, 0, x + 3, b, kWhite);
    }
    barFrame(pic);
}

// Looks 0, 1 and 2, vertical: filled from the bottom up, shine on the left and right.
void verticalBar(Picture &pic, int look, int p, std::uint32_t k)
{
    const int r = pic.width(), b = pic.height();
    const int grid = look == 0 ? 8 : 2;
    const double fraction = p / 98.0 < 0 ? 0.0 : p / 98.0;
    const int t = rounded((1 - fraction) * b);
    int fillTop = t - (t - b) % grid; // C++'s remainder keeps the dividend's sign, as required
    if (fillTop > b)
        fillTop = b;
    if (look == 2) {
        for (int i = 0; i < 3; ++i) {
            const int y = fillTop + 12 * i;
            for (int row = 0; row <= 9; ++row)
                pic.block(3, y + row, r - 1, y + row + 1,
                          gradientColor(lighten(k, 220 - 40 * i), lighten(k, 200 - 40 * i), 9, row));
        }
    } else {
        for (int i = 0; i <= 4; ++i)
            pic.block(4 + i, fillTop, 5 + i, b, gradientColor(lighten(k, 150), k, 4, i));
        pic.block(9, fillTop, r - 8, b, k);
        for (int i = 0; i <= 4; ++i)
            pic.block(r - 8 + i, fillTop, r - 7 + i, b, gradientColor(k, lighten(k, 150), 4, i));
        if (look == 0)
            for (int y = b; y >= fillTop + 6; y -= 8)
                pic.block(3, y - 2, r, y, kWhite);
    }
    barFrame(pic);
}

} // namespace

// clang-format off
std::vector<CornerPixel> frameCorners(int width, int height)
{
    const int r = width, b = height;
    return {
        // left column
        {0, 0, 0xFFFFFF},
        {0, 1, 0xA6ABAC},
        {0, 2, 0x7D7E7F},
        {1, 0, 0xA7ABAC},
        {1, 1, 0x777777},
        {2, 0, 0x7D7E7F},
        {2, 2, 0xBEBEBE},
        {0, b - 1, 0xFFFFFF},
        {1, b - 1, 0xA6ABAC},
        {2, b - 1, 0x7D7E7F},
        {0, b - 3, 0x7D7E7F},
        {0, b - 2, 0xA7ABAC},
        {1, b - 2, 0x777777},
        // right column
        {r - 1, 0, 0xFFFFFF},
        {r - 1, 1, 0xBEBEBE},
        {r - 1, 2, 0x7D7E7F},
        {r - 2, 2, 0xBEBEBE},
        {r - 2, 1, 0x686868},
        {r - 1, b - 1, 0xFFFFFF},
        {r - 1, b - 2, 0xBEBEBE},
        {r - 1, b - 3, 0x7D7E7F},
        {r - 2, b - 2, 0x777777},
        {r - 2, b - 1, 0xBEBEBE},
        {r - 3, b - 1, 0x7D7E7F},
    };
}
// clang-format on

QImage expectedVerticalBar(int look, int p, std::uint32_t k, int width, int height)
{
    Picture pic(width, height, kWhite);
    verticalBar(pic, look, p, k);
    return pic.image();
}

std::uint32_t lighten(std::uint32_t c, int a)
{
    const auto up = [a](int v) { return std::min(255, v * (255 - a) / 255 + a); };
    return rgb(up(channel(c, 0)), up(channel(c, 8)), up(channel(c, 16)));
}

std::uint32_t gradientColor(std::uint32_t first, std::uint32_t last, int n, int i)
{
    const auto one = [&](int shift) {
        // The step is kept in single precision, then applied in double precision.
        const float step =
            n == 0
                ? 0.0f
                : static_cast<float>((channel(last, shift) - channel(first, shift)) / static_cast<double>(n));
        return rounded(channel(first, shift) + static_cast<double>(step) * i);
    };
    return rgb(one(0), one(8), one(16));
}

QImage expectedBar(int look, int p, std::uint32_t k, int width, int height, int brushStyle,
                   const QImage &pattern)
{
    const int r = width, b = height;
    Picture pic(width, height, look == 6 ? 0x000000 : kWhite);
    switch (look) {
    case 3:
        pic.border(lighten(k, 100));
        pic.block(1, 1, rounded(p / 100.0 * r), b - 1, lighten(k, 180));
        break;
    case 4: {
        edge(pic.image(), gdi::EDGE_ETCHED);
        const int n = rounded(p / 100.0 * (r - 4));
        for (int i = 0; i <= n; ++i)
            pic.block(2 + i, 2, 3 + i, b - 3, gradientColor(lighten(k, 140), lighten(k, 200), n, i));
        break;
    }
    case 5: {
        pic.border(lighten(k, 10));
        const int n = rounded(p / 101.0 * r);
        for (int i = 0; i <= b - 5; ++i)
            pic.block(2, 2 + i, r - 2, 3 + i, gradientColor(k, lighten(k, 100), b - 5, i));
        for (int i = 0; i <= b - 6; ++i)
            pic.line(3, n, 3 + i, gradientColor(lighten(k, 250), k, b - 6, i));
        pic.block(n, 2, n + 1, b - 2, lighten(k, 25));
        break;
    }
    case 6: {
        pic.border(darken(k, 200));
        const std::uint32_t last = lighten(darken(k, 100), 10);
        const int n = rounded(p / 100.0 * (r - 5));
        for (int i = 0; i <= n; ++i)
            pic.block(2 + i, 2, 3 + i, b - 2, gradientColor(0x000000, last, n, i));
        break;
    }
    case 7:
        edge(pic.image(), gdi::EDGE_BUMP);
        hatch(pic.image(), {2, 2, rounded(p / 101.0 * r), b - 2}, brushStyle, k, lighten(k, 140));
        break;
    case 8:
        edge(pic.image(), gdi::BDR_SUNKENOUTER);
        if (!pattern.isNull())
            patternFill(pic.image(), {2, 2, 2 + rounded(p / 101.0 * r), b - 2}, pattern);
        break;
    case 9: {
        const int h = rounded((b - 3) / 2.0);
        const int n = rounded(p / 100.0 * (r - 4));
        for (int i = 0; i <= h; ++i)
            pic.block(2, 2 + i, r - 3, 3 + i, gradientColor(0xFFFFFF, 0xC0C0C0, h, i));
        pic.block(2, h, r - 3, 2 * h + 1, 0xC0C0C0);
        for (int i = 0; i <= h; ++i)
            pic.line(2, n, 2 + i, gradientColor(lighten(k, 150), darken(k, 180), h, i));
        for (int i = 0; i <= h; ++i)
            pic.line(2, n, h + i, gradientColor(darken(k, 190), k, h, i));
        barFrame(pic);
        break;
    }
    default:
        bar(pic, look >= 0 && look <= 2 ? look : 1, p, k);
        break;
    }
    return pic.image();
}

} // namespace reference

} // namespace scrivlet
