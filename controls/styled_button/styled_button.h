#pragma once
// StyledButton: the program's owner-drawn push button. It keeps its properties and its interaction
// state; ButtonPainter turns them into an image which paintEvent only copies to the screen.
//
// Each property has a getter named after it in Qt's style (caption() for Caption) and a setter
// set<Name>; Style is buttonStyle(), as QWidget::style() is Qt's. Enabled and Font are the widget's
// own (setEnabled/isEnabled, setFont/font); setting Enabled returns the button to Normal.
// Colours are 0x00BBGGRR values, or 0x80000000 plus a system colour index.
//
// A host window builds the button, then either calls initProperties() (a freshly placed control)
// or readProperties() with the control's stored settings; writeProperties() stores them again.
// The button raises Click, MouseEnter and MouseLeave (signals of UserControl); surface() holds the
// face as last drawn. Ambient values (userMode, displayAsDefault) come from UserControl too.
#include "controls/host/user_control.h"
#include "controls/styled_button/button_painter.h"
#include "controls/styled_button/button_types.h"
#include "controls/styled_button/caption_layout.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <memory>

namespace scrivlet {

class ButtonTooltip;
class AboutPanel;

class StyledButton : public UserControl
{
    Q_OBJECT
public:
    explicit StyledButton(QWidget *parent = nullptr);
    ~StyledButton() override;

    // --- life cycle driven by the host ---
    void initProperties() override; // defaults of a freshly placed control; Caption := hostName()
    void readProperties(const PropertyBag &bag) override;
    void writeProperties(PropertyBag &bag) const override;

    // --- properties ---
    qint32 buttonStyle() const
    {
        return static_cast<qint32>(m_face.look);
    } // the stored "Style" (QWidget::style() is Qt's)
    void setButtonStyle(qint32 style);
    QString caption() const { return m_face.caption; }
    void setCaption(const QString &caption);
    QImage icon() const { return m_face.icon; } // a null image: no picture
    void setIcon(const QImage &icon);
    qint32 iconAlign() const { return m_face.iconAlign; }
    void setIconAlign(qint32 align);
    qint16 iconSize() const { return static_cast<qint16>(m_face.iconSize); }
    void setIconSize(qint16 size);
    qint32 captionAlign() const { return m_captionAlign; }
    void setCaptionAlign(qint32 align);
    qint32 nonThemeStyle() const { return static_cast<qint32>(m_face.nonThemeStyle); }
    void setNonThemeStyle(qint32 style);
    bool showFocus() const { return m_face.showFocus; }
    void setShowFocus(bool show);
    bool useCustomColors() const { return m_face.useCustomColors; }
    void setUseCustomColors(bool use);
    quint32 backColor() const { return m_face.backColor; }
    void setBackColor(quint32 color);
    quint32 highlightColor() const { return m_face.highlightColor; }
    void setHighlightColor(quint32 color);
    quint32 fontColor() const { return m_face.fontColor; }
    void setFontColor(quint32 color);
    quint32 fontHighlightColor() const { return m_face.fontHighlightColor; }
    void setFontHighlightColor(quint32 color);
    QString toolTipText() const { return m_toolTipText; }
    void setToolTipText(const QString &text);
    QString toolTipTitle() const { return m_toolTipTitle; }
    void setToolTipTitle(const QString &title);
    qint32 toolTipIcon() const { return m_toolTipIcon; }
    void setToolTipIcon(qint32 icon);
    qint32 toolTipType() const { return m_toolTipType; }
    void setToolTipType(qint32 type);
    quint32 toolTipBackColor() const { return m_toolTipBackColor; }
    void setToolTipBackColor(quint32 color);
    quint32 toolTipForeColor() const { return m_toolTipForeColor; }
    void setToolTipForeColor(quint32 color);
    qint32 buttonType() const { return m_face.buttonType; }
    void setButtonType(qint32 type);
    bool value() const { return m_face.value; }
    void setValue(bool value);
    quint32 maskColor() const { return m_face.maskColor; }
    void setMaskColor(quint32 color);
    bool useMaskColor() const { return m_face.useMaskColor; }
    void setUseMaskColor(bool use);
    qint16 mousePointer() const { return m_mousePointer; }
    void setMousePointer(qint16 pointer);
    bool roundedBordersByTheme() const { return m_face.roundedBordersByTheme; }
    void setRoundedBordersByTheme(bool rounded);
    bool rightToLeft() const { return m_rightToLeft != 0; }
    void setRightToLeft(bool rightToLeft);

    // --- methods ---
    void Refresh();           // redraws in the current state
    static QString version(); // "3.6.2"
    void About();             // shows the About panel as a window of its own
    // Clicks the button as a left click over it does (raising Click); for keyboard shortcuts and
    // assistive tools. A disabled button ignores it.
    void click();
    bool OpenLink(const QString &address); // opens a web address or file with the desktop
    // Draws the icon in grey (neutral greys kept) onto the target at (x, y); a height or width of
    // 0 or less keeps the icon's own.
    static bool PaintIconGrayscale(QImage *target, const QImage &icon, int x = 0, int y = 0, int height = 0,
                                   int width = 0);

    // --- read-only views of the internal state (for hosts, galleries and tests) ---
    ButtonState state() const { return m_face.state; }
    bool holdsFocus() const { return m_face.hasFocus; } // the focus as its focus events last told it
    bool mouseInside() const { return m_mouseInside; }
    gdi::Rect captionRect() const { return m_face.captionRect; } // right and bottom exclusive
    quint32 textFormat() const { return m_face.textFormat; }
    qint32 margin() const { return m_margin; }
    QRegion windowRegion() const { return m_windowRegion; }
    ButtonTooltip *toolTipWindow() const { return m_toolTip.get(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *e) override;
    void ambientChanged(const QString &name) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void changeEvent(QEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void layoutButton();
    void pointerEntered();
    void pointerLeft();
    void clickStep();
    void accessKey();
    void buildToolTip();
    void removeToolTip();
    void updateMnemonic();
    gdi::Rect measureCaption() const;
    static ButtonFaceInput initialFace();

    // The drawing inputs: the properties that shape the face (Style, Caption, Icon, the colours,
    // ButtonType and Value, ...) and the interaction state (State, the focus, shown or not, the
    // caption's place and format, the background the last redraw left). Colours are kept as
    // stored: literal, or a system colour reference that is translated when drawing.
    ButtonFaceInput m_face = initialFace();

    // properties that play no part in drawing
    qint32 m_captionAlign = 0;
    QString m_toolTipText;
    QString m_toolTipTitle;
    qint32 m_toolTipIcon = 0;
    qint32 m_toolTipType = 1;
    quint32 m_toolTipBackColor = 0;
    quint32 m_toolTipForeColor = 0;
    qint16 m_mousePointer = 0;
    qint32 m_rightToLeft = 0;

    // interaction state
    bool m_mouseInside = false;
    bool m_holdsHostTip = false; // the host's tooltip text is lent to our own tip
    int m_lastButtonUp = 0;
    qint32 m_margin = 4;
    QRegion m_windowRegion;
    int m_mnemonicId = 0;
    std::unique_ptr<ButtonTooltip> m_toolTip;
    std::unique_ptr<AboutPanel> m_about;
};

} // namespace scrivlet
