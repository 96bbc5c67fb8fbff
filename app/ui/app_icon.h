#pragma once

#include <QIcon>
#include <QImage>

namespace scrivlet {

// The program's own icon: a page with a folded corner and a yellow note pinned to it, drawn at
// 32 x 32 pixels (16 x 16 for title bars; any size for the desktop's icon theme).
class AppIcon
{
public:
    static QImage image(int size = 32);
    static QIcon icon();
};

} // namespace scrivlet
