#pragma once
// A gallery page renders one family of looks into PNG files in a folder. Pages register themselves
// with a static GalleryPage object, so the gallery's main knows none of them.
#include <QString>
#include <functional>
#include <vector>

namespace scrivlet {

struct GalleryPage
{
    using Render = std::function<void(const QString &folder)>;
    GalleryPage(const char *name, Render render);
    static const std::vector<std::pair<QString, Render>> &all();
};

} // namespace scrivlet
