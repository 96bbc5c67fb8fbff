#pragma once
// XP_ProgressBar: the program's own progress bar. It keeps a whole-number percentage and draws
// itself in one of ten looks (`Scrolling` 0 to 9; other values draw as look 1) into an off-screen
// buffer that only grows; ProgressPainter does the drawing, paintEvent only copies the result.
//
// Properties keep the names of their stored settings. Colours are 0x00BBGGRR values, or
// 0x80000000 plus a system colour index; `Color` keeps and returns the resolved RGB.
// Constructing the bar initialises it (Max 100, the highlight colour, look 0); a host then may
// call readProperties() with the control's stored settings; writeProperties() stores them.
// Assignments that the designer must learn about emit propertyChanged(name).
#include "controls/host/user_control.h"
#include "controls/progress_bar/progress_layout.h"
#include "controls/progress_bar/progress_props.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <memory>

namespace scrivlet {

class PropertyBag;
class ProgressBuffer;
namespace gdi {
class Canvas;
}

class XP_ProgressBar : public UserControl
{
    Q_OBJECT
    Q_CLASSINFO("ClassId", "Scrivlet.XP_ProgressBar")
    Q_CLASSINFO("Color", "Returns/sets the color of the ProgressBar") // the designer's description
    Q_PROPERTY(quint32 Color READ color WRITE setColor)
    Q_PROPERTY(qint32 Min READ minimum WRITE setMinimum)
    Q_PROPERTY(qint32 Max READ maximum WRITE setMaximum)
    Q_PROPERTY(qint32 Value READ value WRITE setValue)
    Q_PROPERTY(qint32 Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(qint32 Scrolling READ scrolling WRITE setScrolling)
    Q_PROPERTY(bool ShowText READ showText WRITE setShowText)
    Q_PROPERTY(QImage Image READ image WRITE setImage)
public:
    explicit XP_ProgressBar(QWidget *parent = nullptr);
    ~XP_ProgressBar() override;

    // --- stored settings ---
    void readProperties(const PropertyBag &bag) override;
    void writeProperties(PropertyBag &bag) const override;

    // --- properties ---
    void setBrushStyle(qint32 style); // write only: the hatch pattern of look 7 (0 to 5)
    quint32 color() const { return m_props.color; }
    void setColor(quint32 color);
    // The caption's font, the stored "Font" (the widget's own font() plays no part in drawing).
    QFont captionFont() const { return m_props.font; }
    void setCaptionFont(const QFont &font); // no redraw
    QWidget *hWnd() const { return m_window; }
    void setHWnd(QWidget *window); // the widget whose client rectangle is drawn on
    gdi::Canvas *hdc() const { return m_drawing; }
    void setHdc(gdi::Canvas * = nullptr);          // the argument is ignored: (re)makes the buffer
    QImage image() const { return m_props.image; } // null when none
    void setImage(const QImage &image);
    qint32 minimum() const { return m_minimum; }
    void setMinimum(qint32 minimum);
    qint32 maximum() const { return m_maximum; }
    void setMaximum(qint32 maximum);
    qint32 orientation() const { return m_props.orientation; }
    void setOrientation(qint32 orientation);
    qint32 scrolling() const { return static_cast<qint32>(m_props.look); }
    void setScrolling(qint32 look);
    bool showText() const { return m_props.showText; }
    void setShowText(bool show);
    qint32 value() const;
    void setValue(qint32 value);

    // --- methods ---
    void DrawProgressBar();
    // One-pixel line from (x1, y1) to (x2, y2), its end pixel left out.
    static void DrawLine(int x1, int y1, int x2, int y2, gdi::Canvas &dc, quint32 color);
    // Lines from endColor to startColor (see progress::DrawGradient). Callers get both colours back
    // as resolved RGB in their variables, and alongX is taken by reference, as the method always has.
    static void DrawGradient(quint32 &endColor, quint32 &startColor, int x, int y, int width, int height,
                             gdi::Canvas &dc, bool &alongX);
    // Copies the buffer onto dc; widths and heights of 0 or less mean the buffer's.
    void pDraw(gdi::Canvas &dc, int xSrc = 0, int ySrc = 0, int widthSrc = 0, int heightSrc = 0, int xDst = 0,
               int yDst = 0) const;

    // --- read-only views of the internal state (for hosts, galleries and tests) ---
    qint32 percentage() const { return m_props.percentage; }
    qint32 brushStyle() const { return m_props.brushStyle; }
    bool bufferInUse() const { return m_bufferInUse; }
    QSize bufferSize() const;
    const ProgressLayout &layout() const { return m_layout; } // geometry of the last drawing

    QSize sizeHint() const override { return {105, 17}; }

protected:
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    gdi::Canvas &ownDc();
    void followSize(); // the resize steps, once per new size

    QSize m_handledSize;
    qreal m_handledScale = 1.0;
    ProgressProps m_props; // colour, percentage, look, orientation, brush, image, caption and font
    gdi::Canvas *m_drawing = nullptr;
    QPointer<QWidget> m_window; // falls back to the bar itself once that widget is gone
    qint32 m_maximum = 100;
    qint32 m_minimum = 0;
    bool m_bufferInUse = false;
    ProgressLayout m_layout;
    std::unique_ptr<ProgressBuffer> m_buffer;
    std::unique_ptr<gdi::Canvas> m_own; // the window's own surface, copied to the screen on paint
};

} // namespace scrivlet
