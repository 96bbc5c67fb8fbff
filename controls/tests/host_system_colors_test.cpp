// Colour translation: literal colours, system colour references through the palette or the
// standard values, and -1 for what names no colour.
#include "controls/host/system_colors.h"
#include "controls/raster/standard_colors.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

using namespace scrivlet;

using gdi::ColorRef;

namespace {

// A palette whose colours are all different, so a wrong role shows.
QPalette distinctPalette()
{
    QPalette palette;
    int n = 1;
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role, ++n)
            palette.setColor(static_cast<QPalette::ColorGroup>(group), static_cast<QPalette::ColorRole>(role),
                             QColor(n % 256, (n * 7) % 256, (n * 13) % 256));
    return palette;
}

ColorRef fromPalette(const QPalette &palette, QPalette::ColorGroup group, QPalette::ColorRole role)
{
    return gdi::fromQRgb(palette.color(group, role).rgb());
}

class SourceGuard
{
public:
    explicit SourceGuard(SystemColors::Source source) : m_saved(SystemColors::source())
    {
        SystemColors::setSource(source);
    }
    ~SourceGuard() { SystemColors::setSource(m_saved); }

private:
    SystemColors::Source m_saved;
};

struct RoleCase
{
    int index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

void PrintTo(const RoleCase &c, std::ostream *out)
{
    *out << "index " << c.index;
}

class PaletteRoles : public ::testing::TestWithParam<RoleCase>
{
};

// The system colours that the controls ask for come from the matching palette role.
TEST_P(PaletteRoles, ReferenceTranslatesThroughTheRole)
{
    const RoleCase c = GetParam();
    const QPalette palette = distinctPalette();
    EXPECT_EQ(SystemColors::translate(SystemColors::reference(c.index), palette),
              fromPalette(palette, c.group, c.role))
        << c.index;
}

INSTANTIATE_TEST_SUITE_P(
    Host, PaletteRoles,
    ::testing::Values(RoleCase{gdi::COLOR_WINDOW, QPalette::Active, QPalette::Base},
                      RoleCase{gdi::COLOR_HIGHLIGHT, QPalette::Active, QPalette::Highlight},
                      RoleCase{gdi::COLOR_BTNFACE, QPalette::Active, QPalette::Button},
                      RoleCase{gdi::COLOR_BTNSHADOW, QPalette::Active, QPalette::Dark},
                      RoleCase{gdi::COLOR_GRAYTEXT, QPalette::Disabled, QPalette::ButtonText},
                      RoleCase{gdi::COLOR_BTNTEXT, QPalette::Active, QPalette::ButtonText},
                      RoleCase{gdi::COLOR_BTNHIGHLIGHT, QPalette::Active, QPalette::Light},
                      RoleCase{gdi::COLOR_3DDKSHADOW, QPalette::Active, QPalette::Shadow},
                      RoleCase{gdi::COLOR_3DLIGHT, QPalette::Active, QPalette::Midlight},
                      RoleCase{gdi::COLOR_INFOTEXT, QPalette::Active, QPalette::ToolTipText},
                      RoleCase{gdi::COLOR_INFOBK, QPalette::Active, QPalette::ToolTipBase}),
    PrintedCaseName());

struct TranslateCase
{
    std::uint32_t value;
    ColorRef expected;
};

void PrintTo(const TranslateCase &c, std::ostream *out)
{
    *out << "0x" << std::hex << c.value;
}

class StandardTranslation : public ::testing::TestWithParam<TranslateCase>
{
};

TEST_P(StandardTranslation, GivesTheStandardValueOrMinusOne)
{
    const SourceGuard guard(SystemColors::Source::Standard);
    EXPECT_EQ(SystemColors::translate(GetParam().value), GetParam().expected) << std::hex << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Host, StandardTranslation,
                         ::testing::Values(TranslateCase{0xC0FFC0u, 0xC0FFC0u}, // literal colours stay
                                           TranslateCase{0x000000u, 0x000000u},
                                           TranslateCase{0x00FFFFFFu, 0x00FFFFFFu},
                                           TranslateCase{0x02123456u, 0x123456u}, // palette-relative
                                           TranslateCase{0x8000000Fu, gdi::RGB(240, 240, 240)},
                                           TranslateCase{0x8000000Du, gdi::RGB(0, 120, 215)},
                                           TranslateCase{0x80000012u, gdi::RGB(0, 0, 0)},
                                           TranslateCase{0x80000018u, gdi::RGB(255, 255, 225)},
                                           TranslateCase{0x80000019u, gdi::CLR_INVALID}, // unassigned
                                           TranslateCase{0x8000001Fu, gdi::CLR_INVALID}, // past the table
                                           TranslateCase{0x8000010Fu, gdi::CLR_INVALID},
                                           TranslateCase{0x01000005u, gdi::CLR_INVALID}, // palette index
                                           TranslateCase{0x40C0C0C0u, gdi::CLR_INVALID},
                                           TranslateCase{0xFFFFFFFFu, gdi::CLR_INVALID}),
                         PrintedCaseName());

TEST(HostSystemColors, IndexesWithoutARoleKeepTheStandardValue)
{
    const QPalette palette = distinctPalette();
    for (const int index :
         {gdi::COLOR_ACTIVECAPTION, gdi::COLOR_ACTIVEBORDER, gdi::COLOR_GRADIENTACTIVECAPTION})
        EXPECT_EQ(SystemColors::sysColor(index, palette), gdi::standardSysColor(index)) << index;
    EXPECT_FALSE(SystemColors::sysColor(25, palette).has_value());
    EXPECT_FALSE(SystemColors::sysColor(-1).has_value());
}

TEST(HostSystemColors, SourceSelectsPaletteOrStandard)
{
    const QPalette saved = QGuiApplication::palette();
    QGuiApplication::setPalette(distinctPalette());
    {
        const SourceGuard guard(SystemColors::Source::Palette);
        EXPECT_EQ(SystemColors::translate(0x8000000Fu),
                  fromPalette(distinctPalette(), QPalette::Active, QPalette::Button));
        EXPECT_EQ(SystemColors::edgeColors().shadow,
                  fromPalette(distinctPalette(), QPalette::Active, QPalette::Dark));
    }
    {
        const SourceGuard guard(SystemColors::Source::Standard);
        EXPECT_EQ(SystemColors::translate(0x8000000Fu), gdi::RGB(240, 240, 240));
        EXPECT_EQ(SystemColors::edgeColors(), gdi::EdgeColors::standard());
    }
    QGuiApplication::setPalette(saved);
}

} // namespace
