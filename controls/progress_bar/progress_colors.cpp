#include "controls/progress_bar/progress_colors.h"

#include "controls/host/system_colors.h"
#include "controls/progress_bar/progress_rounding.h"

namespace scrivlet {

namespace progress {
namespace {
int channel(ColorRef c, int shift)
{
    return static_cast<int>((c >> shift) & 0xFFu);
}

ColorRef compose(int red, int green, int blue)
{
    return static_cast<ColorRef>(red) | (static_cast<ColorRef>(green) << 8) |
           (static_cast<ColorRef>(blue) << 16);
}
} // namespace

ColorRef ResolveColor(ColorRef c)
{
    if ((c & 0x80000000u) == 0)
        return c;
    return SystemColors::sysColor(static_cast<int>(c & 0x7FFFFFFFu)).value_or(0);
}

ColorRef LightenColor(ColorRef c, int a)
{
    const auto lighten = [a](int value) {
        const int result = value * (255 - a) / 255 + a;
        return result > 255 ? 255 : result;
    };
    return compose(lighten(channel(c, 0)), lighten(channel(c, 8)), lighten(channel(c, 16)));
}

ColorRef MixColors(ColorRef c1, ColorRef c2, int a)
{
    const ColorRef first = ResolveColor(c1);
    const ColorRef second = ResolveColor(c2);
    const auto mix = [a](int one, int two) {
        const double value = (255.0 - a) * two / 255.0 + static_cast<double>(one) * a / 255.0;
        return static_cast<int>(roundHalfEven(value));
    };
    return compose(mix(channel(first, 0), channel(second, 0)), mix(channel(first, 8), channel(second, 8)),
                   mix(channel(first, 16), channel(second, 16)));
}

} // namespace progress

} // namespace scrivlet
