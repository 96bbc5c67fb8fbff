#pragma once

#include <QString>

namespace scrivlet {

class Platform;

// The help page of the window and scriv: one HTML file, installed as <datadir>/scrivlet/help.html
// and copied to the same place under the build tree, so it is found from both.
class HelpPage
{
public:
    // Where the page is: under the program's prefix (../share beside its folder) first, then in
    // the system's data folders. The first place when it is nowhere.
    static QString path();

    // Hands the page to the desktop's handler; when nothing can open it (or it is missing), a
    // message names its path instead.
    static void open(Platform &platform);
};

} // namespace scrivlet
