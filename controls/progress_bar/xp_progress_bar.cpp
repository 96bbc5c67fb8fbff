#include "controls/progress_bar/xp_progress_bar.h"

#include "controls/host/property_bag.h"
#include "controls/host/system_colors.h"
#include "controls/progress_bar/progress_buffer.h"
#include "controls/progress_bar/progress_colors.h"
#include "controls/progress_bar/progress_painter.h"
#include "controls/progress_bar/progress_toolkit.h"
#include "controls/progress_bar/progress_value.h"
#include "controls/raster/canvas.h"

#include <QAccessible>
#include <QEvent>

namespace scrivlet {

namespace {
constexpr quint32 kHighlight = 0x8000000Du;
}

XP_ProgressBar::XP_ProgressBar(QWidget *parent)
    : UserControl(parent), m_buffer(std::make_unique<ProgressBuffer>())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_props.font = defaultFont();
    ensureSurface();
    m_own = std::make_unique<gdi::Canvas>(surfaceImage());
    setHdc();
    m_handledSize = size();
    m_handledScale = devicePixelRatioF();
    setHWnd(this);
    m_maximum = 100;
    m_minimum = 0;
    m_props.percentage = 0;
    m_props.orientation = 0;
    m_props.look = ProgressLook::Blocks;
    m_props.color = progress::ResolveColor(kHighlight);
    DrawProgressBar();
}

XP_ProgressBar::~XP_ProgressBar()
{
    m_buffer->ReleaseBuffer();
}

void XP_ProgressBar::readProperties(const PropertyBag &bag)
{
    setCaptionFont(bag.readFont(QStringLiteral("Font"), defaultFont()));
    m_props.brushStyle = bag.readInt32(QStringLiteral("BrushStyle"), 4);
    setColor(bag.readColor(QStringLiteral("Color"), kHighlight));
    m_props.image = bag.readPicture(QStringLiteral("Image"), QImage());
    setMaximum(bag.readInt32(QStringLiteral("Max"), 100));
    setMinimum(bag.readInt32(QStringLiteral("Min"), 0));
    setOrientation(bag.readInt32(QStringLiteral("Orientation"), 0));
    setScrolling(bag.readInt32(QStringLiteral("Scrolling"), 0));
    setShowText(bag.readBool(QStringLiteral("ShowText"), false));
    // The stored percentage goes through the value mapping once more.
    setValue(bag.readInt32(QStringLiteral("Value"), 0));
}

void XP_ProgressBar::writeProperties(PropertyBag &bag) const
{
    bag.writeFont(QStringLiteral("Font"), m_props.font);
    bag.writeInt32(QStringLiteral("BrushStyle"), m_props.brushStyle, 4);
    bag.writeColor(QStringLiteral("Color"), m_props.color, kHighlight);
    bag.writePicture(QStringLiteral("Image"), m_props.image, QImage());
    bag.writeInt32(QStringLiteral("Max"), m_maximum, 100);
    bag.writeInt32(QStringLiteral("Min"), m_minimum, 0);
    bag.writeInt32(QStringLiteral("Orientation"), m_props.orientation, 0);
    bag.writeInt32(QStringLiteral("Scrolling"), scrolling(), 0);
    bag.writeBool(QStringLiteral("ShowText"), m_props.showText, false);
    bag.writeInt32(QStringLiteral("Value"), m_props.percentage, 0);
}

void XP_ProgressBar::setBrushStyle(qint32 style)
{
    m_props.brushStyle = style;
    notifyPropertyChanged(QStringLiteral("BrushStyle"));
}

void XP_ProgressBar::setColor(quint32 color)
{
    m_props.color = progress::ResolveColor(color);
    DrawProgressBar();
}

void XP_ProgressBar::setCaptionFont(const QFont &font)
{
    m_props.font = font;
}

void XP_ProgressBar::setHWnd(QWidget *window)
{
    m_window = window;
}

void XP_ProgressBar::setHdc(gdi::Canvas *)
{
    if (gdi::Canvas *buffer = m_buffer->EnsureBuffer(width(), height(), devicePixelRatioF())) {
        m_drawing = buffer;
        m_bufferInUse = true;
    } else {
        m_drawing = &ownDc();
    }
}

void XP_ProgressBar::setImage(const QImage &image)
{
    m_props.image = image;
    notifyPropertyChanged(QStringLiteral("Image"));
    DrawProgressBar();
}

void XP_ProgressBar::setMinimum(qint32 minimum)
{
    m_minimum = minimum;
    notifyPropertyChanged(QStringLiteral("Min"));
}

void XP_ProgressBar::setMaximum(qint32 maximum)
{
    m_maximum = maximum;
    notifyPropertyChanged(QStringLiteral("Max"));
}

void XP_ProgressBar::setOrientation(qint32 orientation)
{
    m_props.orientation = orientation;
    notifyPropertyChanged(QStringLiteral("Orientation"));
    DrawProgressBar();
}

void XP_ProgressBar::setScrolling(qint32 look)
{
    m_props.look = static_cast<ProgressLook>(look);
    notifyPropertyChanged(QStringLiteral("Scrolling"));
    DrawProgressBar();
}

void XP_ProgressBar::setShowText(bool show)
{
    m_props.showText = show;
    notifyPropertyChanged(QStringLiteral("ShowText"));
    DrawProgressBar();
}

qint32 XP_ProgressBar::value() const
{
    return progress::valueFromPercentage(m_props.percentage, m_maximum, m_minimum);
}

void XP_ProgressBar::setValue(qint32 value)
{
    const qint32 before = m_props.percentage;
    // An assignment that cannot be computed (Max 0, overflow) keeps the bar as it was.
    if (const auto percentage = progress::percentageFromValue(value, m_maximum, m_minimum))
        m_props.percentage = *percentage;
    DrawProgressBar();
    // Screen readers announce the progress as it moves.
    if (m_props.percentage != before) {
        QAccessibleValueChangeEvent event(this, this->value());
        QAccessible::updateAccessibility(&event);
    }
}

void XP_ProgressBar::DrawProgressBar()
{
    if (m_props.percentage > 100)
        m_props.percentage = 100;
    followSize();
    if (!m_drawing)
        return;
    const QWidget *window = m_window ? m_window.data() : this;
    m_drawing->setEdgeColors(SystemColors::edgeColors());
    ProgressPainter::paint(*m_drawing, m_props, window->width(), window->height(), m_layout);
    if (m_bufferInUse)
        pDraw(ownDc(), 0, 0, width(), height(), 0, 0);
    update();
}

void XP_ProgressBar::DrawLine(int x1, int y1, int x2, int y2, gdi::Canvas &dc, quint32 color)
{
    progress::DrawLine(x1, y1, x2, y2, dc, color);
}

void XP_ProgressBar::DrawGradient(quint32 &endColor, quint32 &startColor, int x, int y, int width, int height,
                                  gdi::Canvas &dc, bool &alongX)
{
    endColor = progress::ResolveColor(endColor);
    startColor = progress::ResolveColor(startColor);
    progress::DrawGradient(endColor, startColor, x, y, width, height, dc, alongX);
}

void XP_ProgressBar::pDraw(gdi::Canvas &dc, int xSrc, int ySrc, int widthSrc, int heightSrc, int xDst,
                           int yDst) const
{
    if (!m_buffer->dc())
        return; // nothing to copy from
    const QSize size = m_buffer->size();
    dc.bitBlt(xDst, yDst, widthSrc > 0 ? widthSrc : size.width(), heightSrc > 0 ? heightSrc : size.height(),
              m_buffer->image(), xSrc, ySrc);
}

QSize XP_ProgressBar::bufferSize() const
{
    return m_buffer->size();
}

void XP_ProgressBar::resizeEvent(QResizeEvent *e)
{
    UserControl::resizeEvent(e);
    followSize();
    // The paint that follows a resize only copies the picture, so it is drawn for the new size here.
    DrawProgressBar();
}

void XP_ProgressBar::changeEvent(QEvent *e)
{
    UserControl::changeEvent(e);
    // The etched look's border takes the system colours, which follow the palette.
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::StyleChange)
        DrawProgressBar();
}

void XP_ProgressBar::followSize()
{
    // Qt holds back the resize events of a hidden widget until it is shown; drawing must not wait.
    if (size() == m_handledSize && devicePixelRatioF() == m_handledScale)
        return;
    m_handledSize = size();
    m_handledScale = devicePixelRatioF();
    ensureSurface();
    setHdc();
}

gdi::Canvas &XP_ProgressBar::ownDc()
{
    return *m_own;
}

} // namespace scrivlet
