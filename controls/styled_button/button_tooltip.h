#pragma once
// ButtonTooltip: the button's own tip window, a balloon or a rectangle with an optional bold
// title and title icon, in the tip colours unless the button gives its own.
#include "controls/raster/gdi_types.h"

#include <QString>
#include <QTimer>
#include <QWidget>
#include <optional>

namespace scrivlet {

class ButtonTooltip : public QWidget
{
    Q_OBJECT
public:
    struct Content
    {
        QString text;
        QString title;
        qint32 icon = 0; // 1 information, 2 warning, 3 error, anything else none
        bool balloon = true;
        std::optional<gdi::ColorRef> foreground; // none: the system tip text colour
        std::optional<gdi::ColorRef> background; // none: the system tip background
    };

    explicit ButtonTooltip(const Content &content);

    const Content &content() const { return m_content; }
    // The colours the tip is painted in.
    gdi::ColorRef textColor() const;
    gdi::ColorRef backColor() const;

    // Shows the tip after the usual hover delay, below the pointer (or the anchor's bottom edge).
    void showSoonBelow(QWidget *anchor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textBox() const;

    Content m_content;
    QTimer m_delay;
    QWidget *m_anchor = nullptr;
};

} // namespace scrivlet
