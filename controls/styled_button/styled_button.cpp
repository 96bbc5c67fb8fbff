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

ButtonFaceInput StyledButton::initialFace()
{
    ButtonFaceInput face;
    face.look = ButtonLook::LookClassic;
    face.isShown = false;
    face.nonThemeStyle = ButtonLook::LookClassic;
    face.backColor = SystemColors::reference(gdi::COLOR_BTNFACE);
    face.highlightColor = SystemColors::reference(gdi::COLOR_HIGHLIGHT);
    face.fontColor = SystemColors::reference(gdi::COLOR_BTNTEXT);
    face.fontHighlightColor = SystemColors::reference(gdi::COLOR_BTNTEXT);
    face.maskColor = 0;
    face.captionRect = {4, 4, 16, 16};
    face.textFormat = gdi::DT_WORDBREAK | gdi::DT_CENTER;
    face.background = gdi::CLR_INVALID; // none yet: the face colour
    return face;
}

void StyledButton::initProperties()
{
    m_face.look = ButtonLook::LookClassic;
    m_face.caption = hostName();
    m_face.iconSize = 16;
    m_face.icon = emptyPicture();
    m_face.textFormat = gdi::DT_WORDBREAK | gdi::DT_CENTER;
    setEnabled(true);
    m_face.showFocus = false;
    m_face.useCustomColors = false;
    m_face.backColor = sysColor(gdi::COLOR_BTNFACE);
    m_face.highlightColor = sysColor(gdi::COLOR_HIGHLIGHT);
    m_face.fontColor = sysColor(gdi::COLOR_BTNTEXT);
    m_face.fontHighlightColor = sysColor(gdi::COLOR_BTNTEXT);
    m_toolTipType = 1;
    m_captionAlign = 0;
    m_face.iconAlign = 1;
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
        m_face.state = ButtonState::Normal;
        removeToolTip();
    }
    Q_UNUSED(name);
    Refresh();
}

// --- properties ---

void StyledButton::setButtonStyle(qint32 style)
{
    m_face.look = static_cast<ButtonLook>(style);
    layoutButton();
    notifyPropertyChanged(QStringLiteral("Style"));
}

void StyledButton::setCaption(const QString &caption)
{
    m_face.caption = caption;
    updateMnemonic();
    layoutButton();
    notifyPropertyChanged(QStringLiteral("Caption"));
}

void StyledButton::setIcon(const QImage &icon)
{
    m_face.icon = icon;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("Icon"));
}

void StyledButton::setIconAlign(qint32 align)
{
    m_face.iconAlign = align;
    layoutButton();
    notifyPropertyChanged(QStringLiteral("IconAlign"));
}

void StyledButton::setIconSize(qint16 size)
{
    m_face.iconSize = size;
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
    m_face.nonThemeStyle = static_cast<ButtonLook>(style);
    layoutButton();
    notifyPropertyChanged(QStringLiteral("NonThemeStyle"));
}

void StyledButton::setShowFocus(bool show)
{
    m_face.showFocus = show;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ShowFocus"));
}

void StyledButton::setUseCustomColors(bool use)
{
    m_face.useCustomColors = use;
    Refresh();
    notifyPropertyChanged(QStringLiteral("UseCustomColors"));
}

void StyledButton::setBackColor(quint32 color)
{
    m_face.backColor = color;
    Refresh();
    notifyPropertyChanged(QStringLiteral("BackColor"));
}

void StyledButton::setHighlightColor(quint32 color)
{
    m_face.highlightColor = color;
    Refresh();
    notifyPropertyChanged(QStringLiteral("HighlightColor"));
}

void StyledButton::setFontColor(quint32 color)
{
    m_face.fontColor = color;
    Refresh();
    notifyPropertyChanged(QStringLiteral("FontColor"));
}

void StyledButton::setFontHighlightColor(quint32 color)
{
    m_face.fontHighlightColor = color;
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
    m_face.buttonType = type;
    Refresh();
    notifyPropertyChanged(QStringLiteral("ButtonType"));
}

void StyledButton::setValue(bool value)
{
    m_face.value = value;
    Refresh();
    notifyPropertyChanged(QStringLiteral("Value"));
}

void StyledButton::setMaskColor(quint32 color)
{
    m_face.maskColor = color;
    Refresh();
    notifyPropertyChanged(QStringLiteral("MaskColor"));
}

void StyledButton::setUseMaskColor(bool use)
{
    m_face.useMaskColor = use;
    Refresh();
    notifyPropertyChanged(QStringLiteral("UseMaskColor"));
}

void StyledButton::setRoundedBordersByTheme(bool rounded)
{
    m_face.roundedBordersByTheme = rounded;
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
    return CaptionMetrics::measure(m_face.caption, font(), box, rightToLeft());
}

void StyledButton::layoutButton()
{
    if (width() < kMinimumSide || height() < kMinimumSide)
        resize(std::max(width(), kMinimumSide), std::max(height(), kMinimumSide));
    const int W = width();
    const int H = height();
    // The margin of the look about to be drawn, so that a change of style places the caption with
    // the new look's margin rather than the previous one's.
    const int margin = ButtonPainter::marginOf(m_face.look);
    const CaptionPlacement placed = CaptionLayout::place(W, H, measureCaption(), m_captionAlign, margin,
                                                         rightToLeft(), m_face.textFormat);
    m_face.captionRect = placed.rect;
    m_face.textFormat = placed.textFormat;
    m_windowRegion = ButtonOutline::region(m_face.look, W, H);
    setMask(m_windowRegion);
    Refresh();
}

void StyledButton::Refresh()
{
    // What the widget itself holds (size, enabled, font, style) and the ambient values join the
    // button's own drawing inputs; the system colours are those of this moment.
    m_face.size = size();
    m_face.scale = devicePixelRatioF();
    m_face.enabled = isEnabled();
    m_face.displayAsDefault = displayAsDefault();
    m_face.designMode = !userMode();
    m_face.font = font();
    m_face.qstyle = style();
    m_face.system = ButtonSystemColors::current();

    ButtonFace face = ButtonPainter::paint(m_face);
    m_margin = face.margin;
    m_face.state = face.state;
    if (face.look != m_face.look) {
        // A themed look that could not be drawn is replaced for good, outline included.
        m_face.look = face.look;
        m_windowRegion = ButtonOutline::region(m_face.look, width(), height());
        setMask(m_windowRegion);
    }
    if (m_face.look == ButtonLook::LookTheme && m_face.roundedBordersByTheme && !face.themeOutline.isEmpty())
        setMask(face.themeOutline);
    m_face.background = face.background;
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
    m_face.isShown = true;
    layoutButton();
}

void StyledButton::hideEvent(QHideEvent *e)
{
    UserControl::hideEvent(e);
    m_face.isShown = false;
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
        m_face.state = ButtonState::Normal;
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
