#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

namespace scrivlet {

// Moves and sizes a window's controls when the window is resized, from their places at the
// window's classic (designed) size, at which it leaves every control exactly where the design put it.
//
// Wider than classic, each control keeps its distance from the left edge, from the right edge, or
// from both (it stretches). Narrower than classic, every control's left and right edges are scaled
// with the window's width, so the rows of controls shrink without overlapping. Extra height goes
// two thirds to the main area and one third to the second area; controls below them keep their
// distance from the bottom edge. All distances are inside each control's container, which is
// expected to follow the same rules.
class GrowingLayout : public QObject
{
    Q_OBJECT
public:
    enum class Across { Left, Right, Stretch };
    enum class Down {
        Top,          // keeps its distance from the top
        Bottom,       // keeps its distance from the bottom
        MainArea,     // grows by the main area's share of the extra height
        SecondArea,   // sits below the main area and grows by the rest of the extra height
        InSecondArea, // a control inside the second area, growing with it
    };

    // Takes the window's present size as its classic size; the controls added later are taken at
    // their present places.
    explicit GrowingLayout(QWidget &window);

    void add(QWidget *control, Across across, Down down);

    QSize classicSize() const { return m_classic; }
    // Places every control for a window of this size.
    void apply(const QSize &size);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Item
    {
        QPointer<QWidget> control;
        QRect classic;
        Across across;
        Down down;
    };

    QWidget &m_window;
    QSize m_classic;
    QList<Item> m_items;
};

} // namespace scrivlet
