// StyledButton's reaction to the pointer, the keyboard, the focus and access keys.
#include "controls/styled_button/styled_button.h"

#include "controls/host/system_colors.h"
#include "controls/styled_button/button_tooltip.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>

namespace scrivlet {

namespace {
// Mouse buttons as the host numbers them (left 1, right 2, middle 4).
int hostButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}
} // namespace

bool StyledButton::event(QEvent *e)
{
    if (e->type() == QEvent::KeyPress && m_face.hasFocus) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        // Tab is consumed by the focus chain before keyPressEvent sees it.
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            QPointer<StyledButton> self(this);
            raiseMouseLeave();
            if (!self)
                return true;
        }
    }
    // A window that opens over the button (a dialog it opened) takes the pointer without a leave.
    // Let go once the event in hand is done: a Click that opened the window still ends its release.
    if (e->type() == QEvent::WindowDeactivate && m_mouseInside) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_mouseInside && !isActiveWindow())
                    pointerLeft();
            },
            Qt::QueuedConnection);
    }
    if (e->type() == QEvent::Shortcut) {
        if (static_cast<QShortcutEvent *>(e)->shortcutId() == m_mnemonicId && m_mnemonicId != 0) {
            accessKey();
            return true;
        }
    }
    return UserControl::event(e);
}

// --- pointer ---

void StyledButton::enterEvent(QEnterEvent *e)
{
    UserControl::enterEvent(e);
    if (!m_mouseInside && isEnabled() && userMode())
        pointerEntered();
}

void StyledButton::mouseMoveEvent(QMouseEvent *e)
{
    // The first move also counts as an entry: an enter event can be lost when the button appears
    // under a resting pointer.
    if (!m_mouseInside && userMode() && rect().contains(e->position().toPoint()))
        pointerEntered();
}

void StyledButton::leaveEvent(QEvent *e)
{
    UserControl::leaveEvent(e);
    if (m_mouseInside)
        pointerLeft();
}

void StyledButton::pointerEntered()
{
    m_mouseInside = true;
    m_face.state = ButtonState::Hot;
    Refresh();
    QPointer<StyledButton> self(this);
    raiseMouseEnter();
    if (self)
        buildToolTip();
}

void StyledButton::pointerLeft()
{
    m_mouseInside = false;
    m_face.state = ButtonState::Normal;
    removeToolTip();
    Refresh();
    raiseMouseLeave();
}

void StyledButton::mousePressEvent(QMouseEvent *e)
{
    if (m_toolTip)
        m_toolTip->hide();
    // A press proves the pointer is over the button even when no move announced it (a window that
    // opened under a resting pointer, or synthesized input).
    if (!m_mouseInside && userMode() && rect().contains(e->position().toPoint())) {
        QPointer<StyledButton> self(this);
        pointerEntered();
        if (!self)
            return;
    }
    if (e->button() != Qt::LeftButton)
        return;
    m_face.state = ButtonState::Pressed;
    Refresh();
}

void StyledButton::mouseDoubleClickEvent(QMouseEvent *e)
{
    // The second press of a double-click presses the button again, so its release clicks again.
    if (e->button() == Qt::LeftButton && m_lastButtonUp == 1) {
        m_face.state = ButtonState::Pressed;
        Refresh();
    }
}

void StyledButton::mouseReleaseEvent(QMouseEvent *e)
{
    const int button = hostButton(e->button());
    // Qt keeps sending mouse events to the pressed widget after the pointer has left it, so the
    // position decides whether the release happened over the button.
    const bool over = rect().contains(e->position().toPoint());
    QPointer<StyledButton> self(this);
    if (button == 1) {
        if (m_face.buttonType == 1 && !m_face.value) {
            m_face.state = ButtonState::Pressed;
        } else {
            m_face.state = ButtonState::Hot;
            // A pointer released outside has left: that leave comes first, so no Click follows.
            if (!over && m_mouseInside)
                pointerLeft();
            if (!self)
                return;
            if (m_mouseInside)
                raiseClick();
            if (!self)
                return;
        }
        Refresh();
    }
    m_lastButtonUp = button;
    if (over)
        clickStep();
}

void StyledButton::clickStep()
{
    if (m_lastButtonUp != 1)
        return;
    if (m_face.buttonType == 1)
        m_face.value = !m_face.value;
    m_face.state = ButtonState::Hot;
    Refresh();
}

// --- keyboard ---

void StyledButton::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return: // Enter, on the main and the numeric keypad, presses as space does
    case Qt::Key_Enter:
        m_face.state = ButtonState::Pressed;
        Refresh();
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        sendTab(false);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        sendTab(true);
        break;
    default:
        e->ignore();
        break;
    }
}

void StyledButton::keyReleaseEvent(QKeyEvent *e)
{
    // A held key repeats its releases; only the real one clicks.
    const bool pressKey =
        e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (!pressKey || e->isAutoRepeat()) {
        e->ignore();
        return;
    }
    clickStep();
    QPointer<StyledButton> self(this);
    raiseClick();
    if (!self)
        return;
    m_face.state = ButtonState::Normal;
    Refresh();
}

void StyledButton::click()
{
    if (!isEnabled())
        return;
    // The steps of a left press and release over the button, in their order.
    QPointer<StyledButton> self(this);
    m_face.state = ButtonState::Pressed;
    Refresh();
    if (m_face.buttonType != 1 || m_face.value) {
        raiseClick();
        if (!self)
            return;
    }
    m_lastButtonUp = 1;
    clickStep();
    // No pointer rests over a button clicked from elsewhere.
    if (!m_mouseInside) {
        m_face.state = ButtonState::Normal;
        Refresh();
    }
}

void StyledButton::accessKey()
{
    m_lastButtonUp = 1;
    clickStep();
    m_face.state = ButtonState::Normal;
}

void StyledButton::updateMnemonic()
{
    if (m_mnemonicId != 0)
        releaseShortcut(m_mnemonicId);
    m_mnemonicId = 0;
    const QKeySequence key = QKeySequence::mnemonic(m_face.caption);
    if (!key.isEmpty())
        m_mnemonicId = grabShortcut(key);
}

// --- focus ---

void StyledButton::focusInEvent(QFocusEvent *e)
{
    UserControl::focusInEvent(e);
    m_face.hasFocus = true;
    Refresh();
}

void StyledButton::focusOutEvent(QFocusEvent *e)
{
    UserControl::focusOutEvent(e);
    m_face.hasFocus = false;
    Refresh();
}

// --- tooltip ---

void StyledButton::buildToolTip()
{
    m_toolTip.reset();
    if (!m_holdsHostTip) {
        // The host's text is the one to show; the host then keeps an empty text, so that its own
        // tip does not pop up beside ours.
        m_toolTipText = hostToolTipText();
        setHostToolTipText(QString());
        m_holdsHostTip = true;
    }
    if (m_toolTipText.isEmpty())
        return;
    ButtonTooltip::Content content;
    content.text = m_toolTipText;
    content.title = m_toolTipTitle;
    content.icon = m_toolTipIcon;
    content.balloon = m_toolTipType == 1;
    if (m_toolTipForeColor != 0)
        content.foreground = SystemColors::translate(m_toolTipForeColor);
    if (m_toolTipBackColor != 0)
        content.background = SystemColors::translate(m_toolTipBackColor);
    m_toolTip = std::make_unique<ButtonTooltip>(content);
    m_toolTip->showSoonBelow(this);
}

void StyledButton::removeToolTip()
{
    m_toolTip.reset();
    // Only a text taken from the host goes back; a host that never lent it keeps its own.
    if (m_holdsHostTip) {
        setHostToolTipText(m_toolTipText);
        m_holdsHostTip = false;
    }
}

} // namespace scrivlet
