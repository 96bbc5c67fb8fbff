#include "controls/styled_button/styled_button.h"

#include "controls/host/system_colors.h"
#include "controls/raster/canvas.h"
#include "controls/raster/standard_colors.h"
#include "controls/styled_button/about_panel.h"
#include "controls/styled_button/button_outline.h"
#include "controls/styled_button/button_painter.h"
#include "controls/styled_button/button_tooltip.h"
#include "controls/styled_button/caption_metrics.h"
#include "controls/styled_button/icon_painter.h"
#include "controls/styled_button/mouse_pointer.h"

#include <QDesktopServices>
#include <QEvent>
#include <QUrl>

namespace {
constexpr int kMinimumSide = 20; // 300 twips

gdi::ColorRef sysColour(int index)
{
    return SystemColors::translate(SystemColors::reference(index));
}
} // namespace

StyledButton::StyledButton(QWidget *parent) : UserControl(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(kMinimumSide, kMinimumSide);
}

StyledButton::~StyledButton() = default;

void StyledButton::initProperties()
{
    m_style = 0;
    m_caption = hostName();
    m_iconSize = 16;
    m_icon = emptyPicture();
    m_textFormat = gdi::DT_WORDBREAK | gdi::DT_CENTER;
    setEnabled(true);
    m_showFocus = false;
    m_useCustomColors = false;
    m_backColor = sysColour(gdi::COLOR_BTNFACE);
    m_highlightColor = sysColour(gdi::COLOR_HIGHLIGHT);
    m_fontColor = sysColour(gdi::COLOR_BTNTEXT);
    m_fontHighlightColor = sysColour(gdi::COLOR_BTNTEXT);
    m_toolTipType = 1;
    m_captionAlign = 0;
    m_iconAlign = 1;
    m_margin = 4;
    QFont verdana(QStringLiteral("Verdana"));
    verdana.setPointSizeF(8.25);
    setFont(verdana);
    updateMnemonic();
    layoutButton();
}

void StyledButton::ambientChanged(const QString &name)
{
    if (!userMode() && m_mouseInside) {
        // A designer shows the control at rest; the hover it had is forgotten.
        m_mouseInside = false;
        m_state = ButtonState::Normal;
        removeToolTip();
    }
    Q_UNUSED(name);
    Refresh();
}

// --- properties ---

void StyledButton::setStyle(qint32 NewStyle)
{
    m_style = NewStyle;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("Style"));
}

void StyledButton::setCaption(const QString &NewCaption)
{
    m_caption = NewCaption;
    updateMnemonic();
    layoutButton();
    notifyPropertyChanged(QStringLiteral("Caption"));
}

void StyledButton::setIcon(const QImage &NewIcon)
{
    m_icon = NewIcon;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("Icon"));
}

void StyledButton::setIconAlign(qint32 NewIconAlign)
{
    m_iconAlign = NewIconAlign;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("IconAlign"));
}

void StyledButton::setIconSize(qint16 NewIconSize)
{
    m_iconSize = NewIconSize;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("IconSize"));
}

void StyledButton::setCaptionAlign(qint32 NewCaptionAlign)
{
    m_captionAlign = NewCaptionAlign;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("CaptionAlign"));
}

void StyledButton::setNonThemeStyle(qint32 NewNonThemeStyle)
{
    m_nonThemeStyle = NewNonThemeStyle;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("NonThemeStyle"));
}

void StyledButton::setShowFocus(bool bShowFocus)
{
    m_showFocus = bShowFocus;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ShowFocus"));
}

void StyledButton::setUseCustomColors(bool bUseCustomColors)
{
    m_useCustomColors = bUseCustomColors;
    Refresh();
    notifyPropertyChanged(QStringLiteral("UseCustomColors"));
}

void StyledButton::setBackColor(quint32 lBackColor)
{
    m_backColor = lBackColor;
    Refresh();
    notifyPropertyChanged(QStringLiteral("BackColor"));
}

void StyledButton::setHighlightColor(quint32 lHighlightColor)
{
    m_highlightColor = lHighlightColor;
    Refresh();
    notifyPropertyChanged(QStringLiteral("HighlightColor"));
}

void StyledButton::setFontColor(quint32 lFontColor)
{
    m_fontColor = lFontColor;
    Refresh();
    notifyPropertyChanged(QStringLiteral("FontColor"));
}

void StyledButton::setFontHighlightColor(quint32 lFontHighlightColor)
{
    m_fontHighlightColor = lFontHighlightColor;
    Refresh();
    notifyPropertyChanged(QStringLiteral("FontHighlightColor"));
}

void StyledButton::setToolTipIcon(qint32 lTooltipIcon)
{
    m_toolTipIcon = lTooltipIcon;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipIcon"));
}

void StyledButton::setToolTipType(qint32 lNewTTType)
{
    m_toolTipType = lNewTTType;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipType"));
}

void StyledButton::setToolTipBackColor(quint32 lToolTipBackColor)
{
    m_toolTipBackColor = lToolTipBackColor;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipBackColor"));
}

void StyledButton::setToolTipForeColor(quint32 lToolTipForeColor)
{
    m_toolTipForeColor = lToolTipForeColor;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipForeColor"));
}

void StyledButton::setButtonType(qint32 newType)
{
    m_buttonType = newType;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ButtonType"));
}

void StyledButton::setValue(bool newValue)
{
    m_value = newValue;
    Refresh();
    notifyPropertyChanged(QStringLiteral("Value"));
}

void StyledButton::setMaskColor(quint32 newValue)
{
    m_maskColor = newValue;
    Refresh();
    notifyPropertyChanged(QStringLiteral("MaskColor"));
}

void StyledButton::setUseMaskColor(bool newValue)
{
    m_useMaskColor = newValue;
    Refresh();
    notifyPropertyChanged(QStringLiteral("UseMaskColor"));
}

void StyledButton::setRoundedBordersByTheme(bool newValue)
{
    m_roundedBordersByTheme = newValue;
    Refresh();
    notifyPropertyChanged(QStringLiteral("RoundedBordersByTheme"));
}

void StyledButton::setToolTipTitle(const QString &sTooltipTitle)
{
    m_toolTipTitle = sTooltipTitle;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipTitle"));
}

void StyledButton::setToolTipText(const QString &sToolTipText)
{
    m_toolTipText = sToolTipText;
    // Building the tip reads the host's text, so the host is given the new text first or the change
    // would be undone; while our own tip is up the host's text stays empty and ours is rebuilt.
    if (m_holdsHostTip)
        buildToolTip();
    else
        setHostToolTipText(sToolTipText);
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipText"));
}

void StyledButton::setMousePointer(qint16 lCursor)
{
    m_mousePointer = lCursor;
    if (lCursor == 0)
        unsetCursor();
    else
        setCursor(MousePointer::shape(lCursor));
    notifyPropertyChanged(QStringLiteral("MousePointer"));
}

void StyledButton::setRightToLeft(bool newValue)
{
    m_rightToLeft = newValue ? -1 : 0;
    // Reading order changes how the caption wraps, so it is measured and placed again.
    layoutButton();
    notifyPropertyChanged(QStringLiteral("bRTLText"));
}

// --- methods ---

QString StyledButton::version()
{
    return QStringLiteral("3.6.2");
}

void StyledButton::About()
{
    if (!m_about)
        m_about = std::make_unique<AboutPanel>(version());
    m_about->showPanel();
}

bool StyledButton::OpenLink(const QString &sLink)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(sLink));
}

bool StyledButton::PaintIconGrayscale(QImage *Dest_hDC, const QImage &hIcon, int Dest_X, int Dest_Y,
                                      int Dest_Height, int Dest_Width)
{
    if (!Dest_hDC || Dest_hDC->isNull() || hIcon.isNull())
        return false;
    const int w = Dest_Width > 0 ? Dest_Width : hIcon.width();
    const int h = Dest_Height > 0 ? Dest_Height : hIcon.height();
    gdi::Canvas canvas(*Dest_hDC);
    canvas.drawPicture(IconPainter::grayscale(hIcon), {Dest_X, Dest_Y, Dest_X + w, Dest_Y + h});
    return true;
}

QSize StyledButton::sizeHint() const
{
    return {73, 25};
}

QSize StyledButton::minimumSizeHint() const
{
    return {kMinimumSide, kMinimumSide};
}

// --- layout and drawing ---

gdi::Rect StyledButton::measureCaption() const
{
    const gdi::Rect box{4, 4, width() - 4, height() - 4};
    return CaptionMetrics::measure(m_caption, font(), box, RightToLeft());
}

void StyledButton::layoutButton()
{
    if (width() < kMinimumSide || height() < kMinimumSide)
        resize(std::max(width(), kMinimumSide), std::max(height(), kMinimumSide));
    const int W = width();
    const int H = height();
    // The margin of the look about to be drawn, so that a change of style places the caption with
    // the new look's margin rather than the previous one's.
    const int margin = ButtonPainter::marginOf(m_style);
    const CaptionPlacement placed =
        CaptionLayout::place(W, H, measureCaption(), m_captionAlign, margin, RightToLeft(), m_textFormat);
    m_captionRect = placed.rect;
    m_textFormat = placed.textFormat;
    m_windowRegion = ButtonOutline::region(m_style, W, H);
    setMask(m_windowRegion);
    Refresh();
}

void StyledButton::Refresh()
{
    ButtonFaceInput in;
    in.size = size();
    in.style = m_style;
    in.state = m_state;
    in.isShown = m_isShown;
    in.enabled = isEnabled();
    in.hasFocus = m_hasFocus;
    in.displayAsDefault = displayAsDefault();
    in.designMode = !userMode();
    in.showFocus = m_showFocus;
    in.useCustomColors = m_useCustomColors;
    in.backColor = SystemColors::translate(m_backColor);
    in.highlightColor = SystemColors::translate(m_highlightColor);
    in.fontColor = SystemColors::translate(m_fontColor);
    in.fontHighlightColor = SystemColors::translate(m_fontHighlightColor);
    in.buttonType = m_buttonType;
    in.value = m_value;
    in.nonThemeStyle = m_nonThemeStyle;
    in.roundedBordersByTheme = m_roundedBordersByTheme;
    in.caption = m_caption;
    in.font = font();
    in.captionRect = m_captionRect;
    in.textFormat = m_textFormat;
    in.icon = m_icon;
    in.iconAlign = m_iconAlign;
    in.iconSize = m_iconSize;
    in.useMaskColor = m_useMaskColor;
    in.maskColor = SystemColors::translate(m_maskColor);
    in.background = m_background;
    in.qstyle = style();

    ButtonFace face = ButtonPainter::paint(in);
    m_margin = face.margin;
    m_state = face.state;
    if (face.style != m_style) {
        // A themed look that could not be drawn is replaced for good, outline included.
        m_style = face.style;
        m_windowRegion = ButtonOutline::region(m_style, width(), height());
        setMask(m_windowRegion);
    }
    if (m_style == 6 && m_roundedBordersByTheme && !face.themeOutline.isEmpty())
        setMask(face.themeOutline);
    m_background = face.background;
    surfaceImage() = std::move(face.image);
    update();
}

void StyledButton::resizeEvent(QResizeEvent *e)
{
    UserControl::resizeEvent(e);
    layoutButton();
}

void StyledButton::showEvent(QShowEvent *e)
{
    UserControl::showEvent(e);
    m_isShown = true;
    layoutButton();
}

void StyledButton::hideEvent(QHideEvent *e)
{
    UserControl::hideEvent(e);
    m_isShown = false;
    removeToolTip();
}

void StyledButton::changeEvent(QEvent *e)
{
    UserControl::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        notifyPropertyChanged(QStringLiteral("Enabled"));
        if (!isEnabled() && m_mouseInside) {
            m_mouseInside = false;
            removeToolTip();
        }
        m_state = ButtonState::Normal;
        Refresh();
        break;
    case QEvent::FontChange:
        notifyPropertyChanged(QStringLiteral("Font"));
        // A new font needs the caption measured again, not only redrawn.
        layoutButton();
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        Refresh();
        break;
    default:
        break;
    }
}
