#pragma once

#include "controls/styled_button/styled_button.h"

#include <QPointer>
#include <QShortcut>

namespace scrivlet {

// A key combination of a window that clicks one of its own buttons, exactly as a mouse click on
// it would; nothing happens while the button is disabled.
class ButtonShortcut : public QShortcut
{
    Q_OBJECT
public:
    ButtonShortcut(const QKeySequence &keys, StyledButton *button, QWidget *window);

    StyledButton *button() const { return m_button; }

private:
    QPointer<StyledButton> m_button;
};

} // namespace scrivlet
