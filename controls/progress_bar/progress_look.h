#pragma once
// The ten looks of the progress bar, by their stored `Scrolling` value. A stored value that names
// no look is kept as it is (it still reads back and saves unchanged) and draws as Smooth.
#include <QtGlobal>

namespace scrivlet {

enum class ProgressLook : qint32 {
    Blocks = 0,
    Smooth = 1,
    Searching = 2,
    Flat = 3,
    Etched = 4, // the main window's
    Shaded = 5,
    Dark = 6,
    Hatched = 7,
    Picture = 8,
    Glossy = 9,
};

} // namespace scrivlet
