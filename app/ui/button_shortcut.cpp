#include "app/ui/button_shortcut.h"

#include "controls/styled_button/styled_button.h"

namespace scrivlet {

ButtonShortcut::ButtonShortcut(const QKeySequence &keys, StyledButton *button, QWidget *window)
    : QShortcut(keys, window), m_button(button)
{
    connect(this, &QShortcut::activated, this, [this] {
        if (m_button && m_button->isEnabled())
            m_button->click();
    });
}

} // namespace scrivlet
