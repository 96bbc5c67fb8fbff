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

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <memory>

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
    Q_PROPERTY(quint32 Color READ Color WRITE setColor)
    Q_PROPERTY(qint32 Min READ Min WRITE setMin)
    Q_PROPERTY(qint32 Max READ Max WRITE setMax)
    Q_PROPERTY(qint32 Value READ Value WRITE setValue)
    Q_PROPERTY(qint32 Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(qint32 Scrolling READ Scrolling WRITE setScrolling)
    Q_PROPERTY(bool ShowText READ ShowText WRITE setShowText)
    Q_PROPERTY(QImage Image READ Image WRITE setImage)
public:
    explicit XP_ProgressBar(QWidget *parent = nullptr);
    ~XP_ProgressBar() override;

    // --- stored settings ---
    void readProperties(const PropertyBag &bag) override;
    void writeProperties(PropertyBag &bag) const override;

    // --- properties ---
    void setBrushStyle(qint32 Style); // write only: the hatch pattern of look 7 (0 to 5)
    quint32 Color() const { return m_color; }
    void setColor(quint32 lColor);
    QFont Font() const { return m_font; }
    void setFont(const QFont &fnt); // no redraw
    QWidget *hWnd() const { return m_window; }
    void setHWnd(QWidget *chWnd); // the widget whose client rectangle is drawn on
    gdi::Canvas *hdc() const { return m_drawing; }
    void setHdc(gdi::Canvas *cHdc = nullptr); // the argument is ignored: (re)makes the buffer
    QImage Image() const { return m_image; }  // null when none
    void setImage(const QImage &Handle);
    qint32 Min() const { return m_minimum; }
    void setMin(qint32 cMin);
    qint32 Max() const { return m_maximum; }
    void setMax(qint32 cMax);
    qint32 Orientation() const { return m_orientation; }
    void setOrientation(qint32 cOrientation);
    qint32 Scrolling() const { return m_look; }
    void setScrolling(qint32 lScrolling);
    bool ShowText() const { return m_showText; }
    void setShowText(bool bShowText);
    qint32 Value() const;
    void setValue(qint32 cValue);

    // --- methods ---
    void DrawProgressBar();
    // One-pixel line from (X, Y) to the point (Width, Height), its end pixel left out.
    static void DrawLine(int X, int Y, int Width, int Height, gdi::Canvas &cHdc, quint32 Color);
    // Lines from lEndColor to lStartcolor (both overwritten with their resolved RGB).
    static void DrawGradient(quint32 &lEndColor, quint32 &lStartcolor, int X, int Y, int Width, int Height,
                             gdi::Canvas &cHdc, bool &AlongX);
    // Copies the buffer onto hdc; widths and heights of 0 or less mean the buffer's.
    void pDraw(gdi::Canvas &hdc, int xSrc = 0, int ySrc = 0, int WidthSrc = 0, int HeightSrc = 0,
               int xDst = 0, int yDst = 0) const;

    // --- read-only views of the internal state (for hosts, galleries and tests) ---
    qint32 percentage() const { return m_percentage; }
    qint32 brushStyle() const { return m_brushStyle; }
    bool bufferInUse() const { return m_bufferInUse; }
    QSize bufferSize() const;
    const ProgressLayout &layout() const { return m_layout; } // geometry of the last drawing

    QSize sizeHint() const override { return {105, 17}; }

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    gdi::Canvas &ownDc();
    void followSize(); // the resize steps, once per new size

    QSize m_handledSize;
    quint32 m_color = 0;
    gdi::Canvas *m_drawing = nullptr;
    QPointer<QWidget> m_window; // falls back to the bar itself once that widget is gone
    qint32 m_maximum = 100;
    qint32 m_minimum = 0;
    qint32 m_percentage = 0;
    bool m_showText = false;
    qint32 m_look = 0;
    qint32 m_orientation = 0;
    qint32 m_brushStyle = 0;
    QImage m_image;
    bool m_bufferInUse = false;
    QFont m_font;
    ProgressLayout m_layout;
    std::unique_ptr<ProgressBuffer> m_buffer;
    std::unique_ptr<gdi::Canvas> m_own; // the window's own surface, copied to the screen on paint
};
