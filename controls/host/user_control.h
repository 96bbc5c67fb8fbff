#pragma once
// UserControl: the base widget of the own controls, giving them the services a host window offers
// its controls:
//  - life cycle: initProperties() for a control freshly placed (it has no stored settings yet),
//    readProperties() / writeProperties() with the window design's PropertyBag; show, hide,
//    resize, paint, focus, mouse and key notifications are the ordinary Qt events;
//  - notifyPropertyChanged(): tells the designer a property changed (signal propertyChanged);
//  - ambient values: userMode() (true while the program runs, false while a design is edited)
//    and displayAsDefault() (the window shows this control as its default button); a change of
//    either calls ambientChanged() with "UserMode" or "DisplayAsDefault";
//  - what the host keeps per control: its name (hostName(), the objectName, e.g.
//    "StyledButton1"), its tooltip text (hostToolTipText(), the QWidget tooltip) and Visible
//    (QWidget visibility);
//  - the events Click, MouseEnter and MouseLeave, raised with raiseClick() etc.;
//  - sendTab(): moves the focus like the keystrokes "{TAB}" and "+{TAB}";
//  - setAccessKeys(): the access key of an "&" caption; accessKeyPressed() is its notification;
//  - doEvents(): one pass of the event loop;
//  - defaultFont() and an empty picture;
//  - the surface: an RGB32 image of the client size that the painters draw on through a Canvas;
//    paintEvent only copies it to the screen.
#include "controls/host/property_bag.h"

#include <QFont>
#include <QImage>
#include <QWidget>

namespace scrivlet {

class UserControl : public QWidget
{
    Q_OBJECT
public:
    explicit UserControl(QWidget *parent = nullptr);

    // The host's life-cycle calls. The defaults do nothing.
    virtual void initProperties() {}
    virtual void readProperties(const PropertyBag &bag) { Q_UNUSED(bag); }
    virtual void writeProperties(PropertyBag &bag) const { Q_UNUSED(bag); }

    // Ambient values, set by the host window.
    bool userMode() const { return m_userMode; }
    void setUserMode(bool running);
    bool displayAsDefault() const { return m_displayAsDefault; }
    void setDisplayAsDefault(bool shownAsDefault);

    // Per-control values the host keeps.
    QString hostName() const { return objectName(); }
    QString hostToolTipText() const { return toolTip(); }
    void setHostToolTipText(const QString &text) { setToolTip(text); }

    // The drawn picture, client-sized (after the last ensureSurface()).
    const QImage &surface() const { return m_surface; }

    // "A new default font object": MS Sans Serif, 8.25 pt, regular.
    static QFont defaultFont();
    static QImage emptyPicture() { return QImage(); }
    // One pass of the event loop (lets pending events, repaints and queued clicks run).
    static void doEvents();

signals:
    void propertyChanged(const QString &name);
    // The control's events, as the host window's handlers receive them.
    void Click();
    void MouseEnter();
    void MouseLeave();

protected:
    void notifyPropertyChanged(const QString &name) { emit propertyChanged(name); }
    void raiseClick() { emit Click(); }
    void raiseMouseEnter() { emit MouseEnter(); }
    void raiseMouseLeave() { emit MouseLeave(); }

    // Moves the keyboard focus to the next control in the tab order ("{TAB}"), or to the previous
    // one when backwards ("+{TAB}"). Returns whether the focus found a control.
    bool sendTab(bool backwards);

    // Called after an ambient value changed, with "UserMode" or "DisplayAsDefault".
    virtual void ambientChanged(const QString &name) { Q_UNUSED(name); }

    // Registers Alt + the character after the caption's "&" mark as this control's access key
    // within its window; a caption without a mark ("&&" is a literal "&") removes it.
    void setAccessKeys(const QString &caption);
    // Called when the access key is pressed (the window's shortcut handling delivers it).
    virtual void accessKeyPressed() {}
    bool event(QEvent *event) override;

    // Makes the surface the widget's size (contents kept where they fit) and returns it for
    // drawing. Call update() afterwards to show it.
    QImage &ensureSurface();
    QImage &surfaceImage() { return m_surface; }

    void paintEvent(QPaintEvent *event) override;

private:
    bool m_userMode = true;
    bool m_displayAsDefault = false;
    int m_accessKeyId = 0;
    QImage m_surface;
};

} // namespace scrivlet
