// StyledButton's stored settings: the keys, their order and their read and write defaults are
// fixed, so designs saved by earlier builds load unchanged (including the odd spellings).
#include "controls/styled_button/styled_button.h"

#include "controls/host/system_colors.h"
#include "controls/raster/standard_colors.h"
#include "controls/styled_button/mouse_pointer.h"

namespace scrivlet {

namespace {
gdi::ColorRef sysColor(int index)
{
    return SystemColors::translate(SystemColors::reference(index));
}

QString key(const char *name)
{
    return QString::fromLatin1(name);
}
} // namespace

void StyledButton::readProperties(const PropertyBag &bag)
{
    m_face.state = ButtonState::Normal;
    m_face.icon = bag.readPicture(key("Icon"));
    m_face.look = static_cast<ButtonLook>(bag.readInt32(key("Style"), 3));
    m_face.caption = bag.readText(key("Caption"), QStringLiteral("StyledButton"));
    m_face.iconSize = bag.readInt16(key("IconSize"), 16);
    m_captionAlign = bag.readInt32(key("CaptionAlign"), 0);
    m_face.iconAlign = bag.readInt32(key("IconAlign"), 1);
    m_face.nonThemeStyle = static_cast<ButtonLook>(bag.readInt32(key("iNonThemeStyle"), 5));
    setEnabled(bag.readBool(key("Enabled"), true));
    m_face.showFocus = bag.readBool(key("ShowFocus"), false);
    m_face.useCustomColors = bag.readBool(key("USeCustomColors"), false);
    m_face.backColor = bag.readColor(key("BackColor"), sysColor(gdi::COLOR_BTNFACE));
    m_face.highlightColor = bag.readColor(key("HighlightColor"), sysColor(gdi::COLOR_HIGHLIGHT));
    m_face.fontColor = bag.readColor(key("FontColor"), sysColor(gdi::COLOR_BTNTEXT));
    m_face.fontHighlightColor = bag.readColor(key("FontHighlightColor"), sysColor(gdi::COLOR_BTNTEXT));
    // Read twice: the host's own copy first (kept when the key is missing), then ours.
    setHostToolTipText(bag.readText(key("ToolTipText"), m_toolTipText));
    m_toolTipText = bag.readText(key("ToolTipText"), QString());
    m_toolTipTitle = bag.readText(key("Tooltiptitle"), QString());
    m_toolTipIcon = bag.readInt32(key("ToolTipIcon"), 0);
    m_toolTipType = bag.readInt32(key("ToolTipType"), 1);
    m_toolTipBackColor = bag.readColor(key("ttBackColor"), sysColor(gdi::COLOR_INFOTEXT));
    m_toolTipForeColor = bag.readColor(key("ttForeColor"), sysColor(gdi::COLOR_INFOBK));
    setFont(bag.readFont(key("Font"), font()));
    m_face.buttonType = bag.readInt32(key("ButtonType"), 0);
    m_face.value = bag.readBool(key("Value"), false);
    m_face.useMaskColor = bag.readBool(key("UseMaskColor"), false);
    m_face.maskColor = bag.readColor(key("MaskColor"), 0xC0C0C0u);
    m_mousePointer = bag.readInt16(key("MousePointer"), 0);
    if (m_mousePointer == 0)
        unsetCursor();
    else
        setCursor(MousePointer::shape(m_mousePointer));
    m_face.roundedBordersByTheme = bag.readBool(key("RoundedBordersByTheme"), true);
    m_rightToLeft = bag.readBool(key("bRTLText"), false) ? -1 : 0;
    updateMnemonic();
    layoutButton();
}

void StyledButton::writeProperties(PropertyBag &bag) const
{
    bag.writePicture(key("Icon"), m_face.icon);
    bag.writeInt32(key("Style"), buttonStyle(), 3);
    bag.writeText(key("Caption"), m_face.caption, QString());
    bag.writeInt16(key("IconSize"), iconSize(), 16);
    bag.writeInt32(key("IconAlign"), m_face.iconAlign, 1);
    bag.writeInt32(key("CaptionAlign"), m_captionAlign, 0);
    bag.writeInt32(key("iNonThemeStyle"), nonThemeStyle(), 5);
    bag.writeBool(key("Enabled"), isEnabled(), true);
    bag.writeBool(key("ShowFocus"), m_face.showFocus, false);
    bag.writeBool(key("USeCustomColors"), m_face.useCustomColors, false);
    bag.writeColor(key("BackColor"), m_face.backColor, sysColor(gdi::COLOR_BTNFACE));
    bag.writeColor(key("HighlightColor"), m_face.highlightColor, sysColor(gdi::COLOR_HIGHLIGHT));
    bag.writeColor(key("FontColor"), m_face.fontColor, sysColor(gdi::COLOR_BTNTEXT));
    bag.writeColor(key("FontHighlightColor"), m_face.fontHighlightColor, sysColor(gdi::COLOR_BTNTEXT));
    bag.writeText(key("ToolTipText"), m_toolTipText, hostToolTipText());
    bag.writeText(key("Tooltiptitle"), m_toolTipTitle);
    bag.writeInt32(key("ToolTipIcon"), m_toolTipIcon);
    bag.writeInt32(key("ToolTipType"), m_toolTipType);
    bag.writeColor(key("ttBackColor"), m_toolTipBackColor, sysColor(gdi::COLOR_INFOTEXT));
    bag.writeColor(key("ttForeColor"), m_toolTipForeColor, sysColor(gdi::COLOR_INFOBK));
    bag.writeFont(key("Font"), font());
    bag.writeInt32(key("ButtonType"), m_face.buttonType, 0);
    bag.writeBool(key("Value"), m_face.value, false);
    bag.writeColor(key("MaskColor"), m_face.maskColor, 0xC0C0C0u);
    bag.writeBool(key("UseMaskColor"), m_face.useMaskColor, false);
    bag.writeInt16(key("MousePointer"), m_mousePointer, 0);
    bag.writeBool(key("RoundedBordersByTheme"), m_face.roundedBordersByTheme, true);
    bag.writeInt32(key("bRTLText"), m_rightToLeft, 0);
}

} // namespace scrivlet
