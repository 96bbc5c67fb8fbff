#pragma once
// Colour arithmetic of the progress bar. Colours are 0x00BBGGRR values; one with the top bit set
// names a system colour by its index in the low bits.
#include "controls/raster/gdi_types.h"

#include <QRgb>
#include <cstdint>

namespace scrivlet {

namespace progress {

using ColorRef = gdi::ColorRef;

// The RGB of c: the system colour it names when its top bit is set (black for an index that names
// none), else c itself.
ColorRef ResolveColor(ColorRef c);

// Each channel of c moved towards white by a (0 leaves c, 255 gives white). c is used unresolved.
ColorRef LightenColor(ColorRef c, int a);

// Blend of the resolved c1 and c2: a = 255 gives c1, a = 0 gives c2; channels rounded.
ColorRef MixColors(ColorRef c1, ColorRef c2, int a);

// The same colour as a Qt pixel value (opaque).
inline QRgb toRgb(ColorRef c)
{
    return qRgb(static_cast<int>(c & 0xFFu), static_cast<int>((c >> 8) & 0xFFu),
                static_cast<int>((c >> 16) & 0xFFu));
}

// A Qt colour as a 0x00BBGGRR value.
inline ColorRef fromRgb(QRgb rgb)
{
    return static_cast<ColorRef>(qRed(rgb)) | (static_cast<ColorRef>(qGreen(rgb)) << 8) |
           (static_cast<ColorRef>(qBlue(rgb)) << 16);
}

} // namespace progress

} // namespace scrivlet
