#include "controls/host/system_colors.h"

#include "controls/host/palette_contrast.h"
#include "controls/raster/standard_colors.h"

#include <QGuiApplication>
#include <array>
#include <functional>

namespace scrivlet {

namespace {

struct PaletteRole
{
    int index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colour indexes that have a counterpart in QPalette. Indexes not listed here (caption
// and border colours, ...) keep their standard value under either source.
constexpr std::array<PaletteRole, 18> kRoles = {{
    {gdi::COLOR_MENU, QPalette::Active, QPalette::Window},
    {gdi::COLOR_WINDOW, QPalette::Active, QPalette::Base},
    {gdi::COLOR_WINDOWFRAME, QPalette::Active, QPalette::Dark},
    {gdi::COLOR_MENUTEXT, QPalette::Active, QPalette::WindowText},
    {gdi::COLOR_WINDOWTEXT, QPalette::Active, QPalette::Text},
    {gdi::COLOR_HIGHLIGHT, QPalette::Active, QPalette::Highlight},
    {gdi::COLOR_HIGHLIGHTTEXT, QPalette::Active, QPalette::HighlightedText},
    {gdi::COLOR_BTNFACE, QPalette::Active, QPalette::Button},
    {gdi::COLOR_BTNSHADOW, QPalette::Active, QPalette::Dark},
    {gdi::COLOR_GRAYTEXT, QPalette::Disabled, QPalette::ButtonText},
    {gdi::COLOR_BTNTEXT, QPalette::Active, QPalette::ButtonText},
    {gdi::COLOR_BTNHIGHLIGHT, QPalette::Active, QPalette::Light},
    {gdi::COLOR_3DDKSHADOW, QPalette::Active, QPalette::Shadow},
    {gdi::COLOR_3DLIGHT, QPalette::Active, QPalette::Midlight},
    {gdi::COLOR_INFOTEXT, QPalette::Active, QPalette::ToolTipText},
    {gdi::COLOR_INFOBK, QPalette::Active, QPalette::ToolTipBase},
    {gdi::COLOR_HOTLIGHT, QPalette::Active, QPalette::Link},
    {gdi::COLOR_MENUHILIGHT, QPalette::Active, QPalette::Highlight},
}};

// The indexes a dark palette gives from its roles as well: window and caption colours.
constexpr std::array<PaletteRole, 12> kDarkRoles = {{
    {gdi::COLOR_SCROLLBAR, QPalette::Active, QPalette::Button},
    {gdi::COLOR_BACKGROUND, QPalette::Active, QPalette::Window},
    {gdi::COLOR_ACTIVECAPTION, QPalette::Active, QPalette::Highlight},
    {gdi::COLOR_INACTIVECAPTION, QPalette::Active, QPalette::Window},
    {gdi::COLOR_CAPTIONTEXT, QPalette::Active, QPalette::HighlightedText},
    {gdi::COLOR_ACTIVEBORDER, QPalette::Active, QPalette::Window},
    {gdi::COLOR_INACTIVEBORDER, QPalette::Active, QPalette::Window},
    {gdi::COLOR_APPWORKSPACE, QPalette::Active, QPalette::Window},
    {gdi::COLOR_INACTIVECAPTIONTEXT, QPalette::Disabled, QPalette::WindowText},
    {gdi::COLOR_GRADIENTACTIVECAPTION, QPalette::Active, QPalette::Highlight},
    {gdi::COLOR_GRADIENTINACTIVECAPTION, QPalette::Active, QPalette::Window},
    {gdi::COLOR_MENUBAR, QPalette::Active, QPalette::Window},
}};

SystemColors::Source g_source = SystemColors::Source::Palette;

} // namespace

void SystemColors::setSource(Source source)
{
    g_source = source;
}

SystemColors::Source SystemColors::source()
{
    return g_source;
}

std::optional<gdi::ColorRef> SystemColors::sysColor(int index)
{
    // Without an application object there is no palette to ask.
    if (g_source == Source::Standard || QGuiApplication::instance() == nullptr)
        return gdi::standardSysColor(index);
    return sysColor(index, QGuiApplication::palette());
}

std::optional<gdi::ColorRef> SystemColors::sysColor(int index, const QPalette &palette)
{
    const std::optional<gdi::ColorRef> standard = gdi::standardSysColor(index);
    if (!standard)
        return std::nullopt;
    for (const PaletteRole &entry : kRoles)
        if (entry.index == index)
            return gdi::fromQRgb(palette.color(entry.group, entry.role).rgb());
    if (PaletteContrast::isDark(palette))
        for (const PaletteRole &entry : kDarkRoles)
            if (entry.index == index)
                return gdi::fromQRgb(palette.color(entry.group, entry.role).rgb());
    return standard;
}

namespace {
gdi::ColorRef translateWith(std::uint32_t color,
                            const std::function<std::optional<gdi::ColorRef>(int)> &lookup)
{
    switch (color >> 24) {
    case 0x00:
        return color;
    case 0x02: // palette-relative RGB: the RGB part
        return color & 0xFFFFFFu;
    case 0x80: {
        const std::uint32_t index = color & 0x7FFFFFFFu;
        if (index > 0xFFu)
            return gdi::CLR_INVALID;
        return lookup(static_cast<int>(index)).value_or(gdi::CLR_INVALID);
    }
    default:
        return gdi::CLR_INVALID;
    }
}
} // namespace

gdi::ColorRef SystemColors::translate(std::uint32_t color)
{
    return translateWith(color, [](int index) { return sysColor(index); });
}

gdi::ColorRef SystemColors::translate(std::uint32_t color, const QPalette &palette)
{
    return translateWith(color, [&palette](int index) { return sysColor(index, palette); });
}

bool SystemColors::darkPalette()
{
    return g_source == Source::Palette && QGuiApplication::instance() != nullptr &&
           PaletteContrast::isDark(QGuiApplication::palette());
}

gdi::EdgeColors SystemColors::edgeColors()
{
    gdi::EdgeColors colors;
    colors.highlight = *sysColor(gdi::COLOR_BTNHIGHLIGHT);
    colors.light = *sysColor(gdi::COLOR_3DLIGHT);
    colors.shadow = *sysColor(gdi::COLOR_BTNSHADOW);
    colors.darkShadow = *sysColor(gdi::COLOR_3DDKSHADOW);
    colors.face = *sysColor(gdi::COLOR_BTNFACE);
    colors.window = *sysColor(gdi::COLOR_WINDOW);
    colors.windowFrame = *sysColor(gdi::COLOR_WINDOWFRAME);
    return colors;
}

} // namespace scrivlet
