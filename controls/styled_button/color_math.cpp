#include "controls/styled_button/color_math.h"

#include <algorithm>
#include <cmath>

namespace scrivlet {

namespace ColorMath {

int roundHalfEven(double value)
{
    // nearbyint honours the current rounding mode, which is to-nearest-even unless someone changed it;
    // rint-based rounding would be the same, std::round would send halves away from zero.
    return static_cast<int>(std::nearbyint(value));
}

namespace {
int channelStep(int a, int b, int i, int h)
{
    // The step is a float and a + i * step a double; which values land on exact halves (rounded to
    // even) depends on that, and the gradients' pixels with it.
    const float step = static_cast<float>(b - a) / static_cast<float>(h);
    const double v = static_cast<double>(a) + static_cast<double>(i) * static_cast<double>(step);
    return std::clamp(roundHalfEven(v), 0, 255);
}

int clampChannel(int c)
{
    return std::clamp(c, 0, 255);
}
} // namespace

gdi::ColorRef gradientStep(gdi::ColorRef a, gdi::ColorRef b, int i, int h)
{
    return gdi::RGB(channelStep(gdi::GetRValue(a), gdi::GetRValue(b), i, h),
                    channelStep(gdi::GetGValue(a), gdi::GetGValue(b), i, h),
                    channelStep(gdi::GetBValue(a), gdi::GetBValue(b), i, h));
}

gdi::ColorRef average(gdi::ColorRef a, gdi::ColorRef b)
{
    auto avg = [](int x, int y) { return roundHalfEven((x + y) / 2.0); };
    return gdi::RGB(avg(gdi::GetRValue(a), gdi::GetRValue(b)), avg(gdi::GetGValue(a), gdi::GetGValue(b)),
                    avg(gdi::GetBValue(a), gdi::GetBValue(b)));
}

gdi::ColorRef lighten(gdi::ColorRef color, int k)
{
    auto one = [k](int c) { return std::min(c * (255 - k) / 255 + k, 255); };
    return gdi::RGB(one(gdi::GetRValue(color)), one(gdi::GetGValue(color)), one(gdi::GetBValue(color)));
}

gdi::ColorRef offset(gdi::ColorRef color, int d)
{
    return offset(color, d, d, d);
}

gdi::ColorRef offset(gdi::ColorRef color, int dr, int dg, int db)
{
    return gdi::RGB(clampChannel(gdi::GetRValue(color) + dr), clampChannel(gdi::GetGValue(color) + dg),
                    clampChannel(gdi::GetBValue(color) + db));
}

} // namespace ColorMath

} // namespace scrivlet
