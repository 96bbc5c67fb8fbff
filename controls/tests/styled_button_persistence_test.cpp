// The button's stored settings: new-control defaults, read defaults of missing keys, which keys a
// save leaves out, their order, and a round trip of every property.
#include "controls/host/system_colors.h"
#include "controls/styled_button/styled_button.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace scrivlet;

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
    EXPECT_EQ(button.buttonStyle(), 0);
    EXPECT_EQ(button.caption(), QStringLiteral("StyledButton4"));
    EXPECT_EQ(button.iconSize(), 16);
    EXPECT_EQ(button.iconAlign(), 1);
    EXPECT_EQ(button.captionAlign(), 0);
    EXPECT_EQ(button.toolTipType(), 1);
    EXPECT_EQ(button.textFormat(), gdi::DT_WORDBREAK | gdi::DT_VCENTER | gdi::DT_CENTER);
    EXPECT_EQ(button.backColor(), sys(15));
    EXPECT_EQ(button.highlightColor(), sys(13));
    EXPECT_EQ(button.fontColor(), sys(18));
    EXPECT_EQ(button.fontHighlightColor(), sys(18));
    EXPECT_EQ(button.font().family(), QStringLiteral("Verdana"));
    EXPECT_DOUBLE_EQ(button.font().pointSizeF(), 8.25);
    EXPECT_TRUE(button.isEnabled());
    EXPECT_FALSE(button.roundedBordersByTheme());
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
    EXPECT_EQ(button.buttonStyle(), 3);
    EXPECT_EQ(button.caption(), QStringLiteral("StyledButton"));
    EXPECT_EQ(button.nonThemeStyle(), 5);
    EXPECT_EQ(button.maskColor(), 0xC0C0C0u);
    EXPECT_TRUE(button.roundedBordersByTheme());
    EXPECT_EQ(button.toolTipBackColor(), sys(23));
    EXPECT_EQ(button.toolTipForeColor(), sys(24));
    EXPECT_EQ(button.toolTipType(), 1);
    EXPECT_FALSE(button.rightToLeft());
    EXPECT_EQ(button.state(), ButtonState::Normal);
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
    EXPECT_EQ(b.caption(), QStringLiteral("StyledButton"));
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
    EXPECT_TRUE(button.useCustomColors());
    EXPECT_EQ(button.nonThemeStyle(), 2);
    EXPECT_EQ(button.toolTipTitle(), QStringLiteral("Title"));
    EXPECT_TRUE(button.rightToLeft());
}

TEST_F(StyledButtonStore, ToolTipTextIsGivenToTheHostAndKeptByTheControl)
{
    PropertyBag bag;
    bag.writeText(k("ToolTipText"), QStringLiteral("Saves the comment"));
    StyledButton button;
    button.readProperties(bag);
    EXPECT_EQ(button.toolTipText(), QStringLiteral("Saves the comment"));
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
    a.setButtonStyle(8);
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
    EXPECT_EQ(b.icon().convertToFormat(QImage::Format_ARGB32), icon);
    EXPECT_EQ(b.buttonStyle(), 8);
    EXPECT_EQ(b.caption(), QStringLiteral("Clear..."));
    EXPECT_EQ(b.iconSize(), 24);
    EXPECT_EQ(b.iconAlign(), 3);
    EXPECT_EQ(b.captionAlign(), 4);
    EXPECT_EQ(b.nonThemeStyle(), 2);
    EXPECT_FALSE(b.isEnabled());
    EXPECT_TRUE(b.showFocus());
    EXPECT_TRUE(b.useCustomColors());
    EXPECT_EQ(b.backColor(), 0x112233u);
    EXPECT_EQ(b.highlightColor(), 0x445566u);
    EXPECT_EQ(b.fontColor(), 0x778899u);
    EXPECT_EQ(b.fontHighlightColor(), 0x8000000Du);
    EXPECT_EQ(b.toolTipTitle(), QStringLiteral("Tip"));
    EXPECT_EQ(b.toolTipIcon(), 2);
    EXPECT_EQ(b.toolTipType(), 0);
    EXPECT_EQ(b.toolTipBackColor(), 0xAABBCCu);
    EXPECT_EQ(b.toolTipForeColor(), 0x010203u);
    EXPECT_EQ(b.font().family(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(b.font().bold());
    EXPECT_EQ(b.buttonType(), 1);
    EXPECT_TRUE(b.value());
    EXPECT_EQ(b.maskColor(), 0xFF00FFu);
    EXPECT_TRUE(b.useMaskColor());
    EXPECT_EQ(b.mousePointer(), 11);
    EXPECT_EQ(b.cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(b.roundedBordersByTheme());
    EXPECT_TRUE(b.rightToLeft());
}

// Setters report the property by name; the reading order reports itself as "bRTLText".
TEST_F(StyledButtonStore, SettersTellTheHostWhatChanged)
{
    StyledButton button;
    button.readProperties(PropertyBag());
    QSignalSpy spy(&button, &UserControl::propertyChanged);
    button.setButtonStyle(5);
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
