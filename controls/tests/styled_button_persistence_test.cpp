// The button's stored settings: new-control defaults, read defaults of missing keys, which keys a
// save leaves out, their order, and a round trip of every property.
#include "controls/host/system_colors.h"
#include "controls/styled_button/styled_button.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class StyledButtonStore : public ::testing::Test
{
protected:
    void SetUp() override { SystemColors::setSource(SystemColors::Source::Standard); }
    void TearDown() override { SystemColors::setSource(SystemColors::Source::Palette); }
};

QString k(const char *key)
{
    return QString::fromLatin1(key);
}

gdi::ColorRef sys(int index)
{
    return SystemColors::translate(SystemColors::reference(index));
}

PropertyBag saved(const StyledButton &button)
{
    PropertyBag bag;
    button.writeProperties(bag);
    return bag;
}

TEST_F(StyledButtonStore, FreshControlDefaults)
{
    StyledButton button;
    button.setObjectName(QStringLiteral("StyledButton4"));
    button.initProperties();
    EXPECT_EQ(button.Style(), 0);
    EXPECT_EQ(button.Caption(), QStringLiteral("StyledButton4"));
    EXPECT_EQ(button.IconSize(), 16);
    EXPECT_EQ(button.IconAlign(), 1);
    EXPECT_EQ(button.CaptionAlign(), 0);
    EXPECT_EQ(button.ToolTipType(), 1);
    EXPECT_EQ(button.TextFormat(), gdi::DT_WORDBREAK | gdi::DT_VCENTER | gdi::DT_CENTER);
    EXPECT_EQ(button.BackColor(), sys(15));
    EXPECT_EQ(button.HighlightColor(), sys(13));
    EXPECT_EQ(button.FontColor(), sys(18));
    EXPECT_EQ(button.FontHighlightColor(), sys(18));
    EXPECT_EQ(button.font().family(), QStringLiteral("Verdana"));
    EXPECT_DOUBLE_EQ(button.font().pointSizeF(), 8.25);
    EXPECT_TRUE(button.isEnabled());
    EXPECT_FALSE(button.RoundedBordersByTheme());
}

// A fresh control saves what differs from the write defaults, plus the always-written keys.
TEST_F(StyledButtonStore, FreshControlSavesItsDifferencesExplicitly)
{
    StyledButton button;
    button.setObjectName(QStringLiteral("StyledButton1"));
    button.initProperties();
    const PropertyBag bag = saved(button);
    const QStringList expected{k("Icon"),
                               k("Style"),
                               k("Caption"),
                               k("iNonThemeStyle"),
                               k("Tooltiptitle"),
                               k("ToolTipIcon"),
                               k("ToolTipType"),
                               k("ttForeColor"),
                               k("Font"),
                               k("MaskColor"),
                               k("RoundedBordersByTheme")};
    EXPECT_EQ(bag.keys(), expected);
    EXPECT_EQ(bag.readColor(k("MaskColor"), 1), 0u);
    EXPECT_EQ(bag.readColor(k("ttForeColor"), 1), 0u);
    EXPECT_FALSE(bag.readBool(k("RoundedBordersByTheme"), true));
    EXPECT_EQ(bag.readInt32(k("Style"), 3), 0);
}

TEST_F(StyledButtonStore, MissingKeysReadTheirDefaults)
{
    StyledButton button;
    button.readProperties(PropertyBag());
    EXPECT_EQ(button.Style(), 3);
    EXPECT_EQ(button.Caption(), QStringLiteral("StyledButton"));
    EXPECT_EQ(button.NonThemeStyle(), 5);
    EXPECT_EQ(button.MaskColor(), 0xC0C0C0u);
    EXPECT_TRUE(button.RoundedBordersByTheme());
    EXPECT_EQ(button.ToolTipBackColor(), sys(23));
    EXPECT_EQ(button.ToolTipForeColor(), sys(24));
    EXPECT_EQ(button.ToolTipType(), 1);
    EXPECT_FALSE(button.RightToLeft());
    EXPECT_EQ(button.State(), ButtonState::Normal);
}

TEST_F(StyledButtonStore, AnEmptyCaptionIsNotWrittenAndReadsBackAsTheControlName)
{
    StyledButton a;
    a.readProperties(PropertyBag());
    a.setCaption(QString());
    const PropertyBag bag = saved(a);
    EXPECT_FALSE(bag.contains(k("Caption")));
    StyledButton b;
    b.readProperties(bag);
    EXPECT_EQ(b.Caption(), QStringLiteral("StyledButton"));
}

TEST_F(StyledButtonStore, KeysAreFoundWhateverTheirCase)
{
    PropertyBag bag;
    bag.writeBool(k("usecustomcolors"), true);
    bag.writeInt32(k("INONTHEMESTYLE"), 2);
    bag.writeText(k("TOOLTIPTITLE"), QStringLiteral("Title"));
    bag.writeInt32(k("brtltext"), -1);
    StyledButton button;
    button.readProperties(bag);
    EXPECT_TRUE(button.UseCustomColors());
    EXPECT_EQ(button.NonThemeStyle(), 2);
    EXPECT_EQ(button.ToolTipTitle(), QStringLiteral("Title"));
    EXPECT_TRUE(button.RightToLeft());
}

TEST_F(StyledButtonStore, ToolTipTextIsGivenToTheHostAndKeptByTheControl)
{
    PropertyBag bag;
    bag.writeText(k("ToolTipText"), QStringLiteral("Saves the comment"));
    StyledButton button;
    button.readProperties(bag);
    EXPECT_EQ(button.ToolTipText(), QStringLiteral("Saves the comment"));
    EXPECT_EQ(button.toolTip(), QStringLiteral("Saves the comment"));
    // Equal to the host's own text, so a save leaves the key to the host.
    EXPECT_FALSE(saved(button).contains(k("ToolTipText")));
}

TEST_F(StyledButtonStore, EveryPropertySurvivesARoundTripInTheSaveOrder)
{
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(qRgb(200, 30, 40));
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9.0);
    font.setBold(true);

    StyledButton a;
    a.readProperties(PropertyBag());
    a.setIcon(icon);
    a.setStyle(8);
    a.setCaption(QStringLiteral("Clear..."));
    a.setIconSize(24);
    a.setIconAlign(3);
    a.setCaptionAlign(4);
    a.setNonThemeStyle(2);
    a.setEnabled(false);
    a.setShowFocus(true);
    a.setUseCustomColors(true);
    a.setBackColor(0x112233);
    a.setHighlightColor(0x445566);
    a.setFontColor(0x778899);
    a.setFontHighlightColor(0x8000000D);
    a.setToolTipTitle(QStringLiteral("Tip"));
    a.setToolTipIcon(2);
    a.setToolTipType(0);
    a.setToolTipBackColor(0xAABBCC);
    a.setToolTipForeColor(0x010203);
    a.setFont(font);
    a.setButtonType(1);
    a.setValue(true);
    a.setMaskColor(0xFF00FF);
    a.setUseMaskColor(true);
    a.setMousePointer(11);
    a.setRoundedBordersByTheme(false);
    a.setRightToLeft(true);

    const PropertyBag bag = saved(a);
    const QStringList order{k("Icon"),           k("Style"),
                            k("Caption"),        k("IconSize"),
                            k("IconAlign"),      k("CaptionAlign"),
                            k("iNonThemeStyle"), k("Enabled"),
                            k("ShowFocus"),      k("USeCustomColors"),
                            k("BackColor"),      k("HighlightColor"),
                            k("FontColor"),      k("FontHighlightColor"),
                            k("Tooltiptitle"),   k("ToolTipIcon"),
                            k("ToolTipType"),    k("ttBackColor"),
                            k("ttForeColor"),    k("Font"),
                            k("ButtonType"),     k("Value"),
                            k("MaskColor"),      k("UseMaskColor"),
                            k("MousePointer"),   k("RoundedBordersByTheme"),
                            k("bRTLText")};
    EXPECT_EQ(bag.keys(), order);
    EXPECT_EQ(bag.value(k("bRTLText")).toInt(), -1);

    StyledButton b;
    b.readProperties(bag);
    EXPECT_EQ(b.Icon().convertToFormat(QImage::Format_ARGB32), icon);
    EXPECT_EQ(b.Style(), 8);
    EXPECT_EQ(b.Caption(), QStringLiteral("Clear..."));
    EXPECT_EQ(b.IconSize(), 24);
    EXPECT_EQ(b.IconAlign(), 3);
    EXPECT_EQ(b.CaptionAlign(), 4);
    EXPECT_EQ(b.NonThemeStyle(), 2);
    EXPECT_FALSE(b.isEnabled());
    EXPECT_TRUE(b.ShowFocus());
    EXPECT_TRUE(b.UseCustomColors());
    EXPECT_EQ(b.BackColor(), 0x112233u);
    EXPECT_EQ(b.HighlightColor(), 0x445566u);
    EXPECT_EQ(b.FontColor(), 0x778899u);
    EXPECT_EQ(b.FontHighlightColor(), 0x8000000Du);
    EXPECT_EQ(b.ToolTipTitle(), QStringLiteral("Tip"));
    EXPECT_EQ(b.ToolTipIcon(), 2);
    EXPECT_EQ(b.ToolTipType(), 0);
    EXPECT_EQ(b.ToolTipBackColor(), 0xAABBCCu);
    EXPECT_EQ(b.ToolTipForeColor(), 0x010203u);
    EXPECT_EQ(b.font().family(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(b.font().bold());
    EXPECT_EQ(b.ButtonType(), 1);
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(b.MaskColor(), 0xFF00FFu);
    EXPECT_TRUE(b.UseMaskColor());
    EXPECT_EQ(b.MousePointer(), 11);
    EXPECT_EQ(b.cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(b.RoundedBordersByTheme());
    EXPECT_TRUE(b.RightToLeft());
}

// Setters report the property by name; the reading order reports itself as "bRTLText".
TEST_F(StyledButtonStore, SettersTellTheHostWhatChanged)
{
    StyledButton button;
    button.readProperties(PropertyBag());
    QSignalSpy spy(&button, &UserControl::propertyChanged);
    button.setStyle(5);
    button.setRightToLeft(true);
    button.setMaskColor(1);
    button.setEnabled(false);
    ASSERT_EQ(spy.count(), 4);
    EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("Style"));
    EXPECT_EQ(spy.at(1).at(0).toString(), QStringLiteral("bRTLText"));
    EXPECT_EQ(spy.at(2).at(0).toString(), QStringLiteral("MaskColor"));
    EXPECT_EQ(spy.at(3).at(0).toString(), QStringLiteral("Enabled"));
}

} // namespace
