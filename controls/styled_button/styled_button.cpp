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

namespace scrivlet {

namespace {
constexpr int kMinimumSide = 20; // 300 twips

gdi::ColorRef sysColor(int index)
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
    m_backColor = sysColor(gdi::COLOR_BTNFACE);
    m_highlightColor = sysColor(gdi::COLOR_HIGHLIGHT);
    m_fontColor = sysColor(gdi::COLOR_BTNTEXT);
    m_fontHighlightColor = sysColor(gdi::COLOR_BTNTEXT);
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

void StyledButton::setButtonStyle(qint32 style)
{
    m_style = style;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("Style"));
}

void StyledButton::setCaption(const QString &caption)
{
    m_caption = caption;
    updateMnemonic();
    layoutButton();
    notifyPropertyChanged(QStringLiteral("Caption"));
}

void StyledButton::setIcon(const QImage &icon)
{
    m_icon = icon;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("Icon"));
}

void StyledButton::setIconAlign(qint32 align)
{
    m_iconAlign = align;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("IconAlign"));
}

void StyledButton::setIconSize(qint16 size)
{
    m_iconSize = size;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("IconSize"));
}

void StyledButton::setCaptionAlign(qint32 align)
{
    m_captionAlign = align;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("CaptionAlign"));
}

void StyledButton::setNonThemeStyle(qint32 style)
{
    m_nonThemeStyle = style;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("NonThemeStyle"));
}

void StyledButton::setShowFocus(bool show)
{
    m_showFocus = show;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ShowFocus"));
}

void StyledButton::setUseCustomColors(bool use)
{
    m_useCustomColors = use;
    Refresh();
    notifyPropertyChanged(QStringLiteral("UseCustomColors"));
}

void StyledButton::setBackColor(quint32 color)
{
    m_backColor = color;
    Refresh();
    notifyPropertyChanged(QStringLiteral("BackColor"));
}

void StyledButton::setHighlightColor(quint32 color)
{
    m_highlightColor = color;
    Refresh();
    notifyPropertyChanged(QStringLiteral("HighlightColor"));
}

void StyledButton::setFontColor(quint32 color)
{
    m_fontColor = color;
    Refresh();
    notifyPropertyChanged(QStringLiteral("FontColor"));
}

void StyledButton::setFontHighlightColor(quint32 color)
{
    m_fontHighlightColor = color;
    Refresh();
    notifyPropertyChanged(QStringLiteral("FontHighlightColor"));
}

void StyledButton::setToolTipIcon(qint32 icon)
{
    m_toolTipIcon = icon;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipIcon"));
}

void StyledButton::setToolTipType(qint32 type)
{
    m_toolTipType = type;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipType"));
}

void StyledButton::setToolTipBackColor(quint32 color)
{
    m_toolTipBackColor = color;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipBackColor"));
}

void StyledButton::setToolTipForeColor(quint32 color)
{
    m_toolTipForeColor = color;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipForeColor"));
}

void StyledButton::setButtonType(qint32 type)
{
    m_buttonType = type;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ButtonType"));
}

void StyledButton::setValue(bool value)
{
    m_value = value;
    Refresh();
    notifyPropertyChanged(QStringLiteral("Value"));
}

void StyledButton::setMaskColor(quint32 color)
{
    m_maskColor = color;
    Refresh();
    notifyPropertyChanged(QStringLiteral("MaskColor"));
}

void StyledButton::setUseMaskColor(bool use)
{
    m_useMaskColor = use;
    Refresh();
    notifyPropertyChanged(QStringLiteral("UseMaskColor"));
}

void StyledButton::setRoundedBordersByTheme(bool rounded)
{
    m_roundedBordersByTheme = rounded;
    Refresh();
    notifyPropertyChanged(QStringLiteral("RoundedBordersByTheme"));
}

void StyledButton::setToolTipTitle(const QString &title)
{
    m_toolTipTitle = title;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipTitle"));
}

void StyledButton::setToolTipText(const QString &text)
{
    m_toolTipText = text;
    // Building the tip reads the host's text, so the host is given the new text first or the change
    // would be undone; while our own tip is up the host's text stays empty and ours is rebuilt.
    if (m_holdsHostTip)
        buildToolTip();
    else
        setHostToolTipText(text);
    Refresh();
    notifyPropertyChanged(QStringLiteral("ToolTipText"));
}

void StyledButton::setMousePointer(qint16 pointer)
{
    m_mousePointer = pointer;
    if (pointer == 0)
        unsetCursor();
    else
        setCursor(MousePointer::shape(pointer));
    notifyPropertyChanged(QStringLiteral("MousePointer"));
}

void StyledButton::setRightToLeft(bool rightToLeft)
{
    m_rightToLeft = rightToLeft ? -1 : 0;
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

bool StyledButton::OpenLink(const QString &address)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

bool StyledButton::PaintIconGrayscale(QImage *target, const QImage &icon, int x, int y, int height, int width)
{
    if (!target || target->isNull() || icon.isNull())
        return false;
    const int w = width > 0 ? width : icon.width();
    const int h = height > 0 ? height : icon.height();
    gdi::Canvas canvas(*target);
    canvas.drawPicture(IconPainter::grayscale(icon), {x, y, x + w, y + h});
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
    return CaptionMetrics::measure(m_caption, font(), box, rightToLeft());
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
        CaptionLayout::place(W, H, measureCaption(), m_captionAlign, margin, rightToLeft(), m_textFormat);
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

} // namespace scrivlet
