#include "controls/accessibility/styled_button_accessible.h"

#include "controls/styled_button/styled_button.h"

#include <QMetaObject>

namespace scrivlet {

namespace {

// The caption as drawn: an "&" marks the access key and is not shown, "&&" shows one "&".
QString shownCaption(const QString &caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && ++i == caption.size())
            break;
        shown.append(caption.at(i));
    }
    return shown;
}

} // namespace

StyledButtonAccessible::StyledButtonAccessible(StyledButton *button)
    : QAccessibleWidget(button, QAccessible::Button)
{}

StyledButton *StyledButtonAccessible::button() const
{
    return static_cast<StyledButton *>(widget());
}

QString StyledButtonAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        // A name the host gives the control wins, as for Qt's own buttons.
        if (const QString name = widget()->accessibleName(); !name.isEmpty())
            return name;
        return shownCaption(button()->caption());
    case QAccessible::Description:
        if (const QString description = widget()->accessibleDescription(); !description.isEmpty())
            return description;
        // While the pointer is over the button its own tip holds the text the host lent it.
        if (const QString tip = button()->hostToolTipText(); !tip.isEmpty())
            return tip;
        return button()->toolTipText();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State StyledButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = button()->state() == ButtonState::Pressed;
    state.defaultButton = button()->displayAsDefault();
    if (button()->buttonType() == 1) {
        state.checkable = true;
        state.checked = button()->value();
    }
    return state;
}

QStringList StyledButtonAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (button()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void StyledButtonAccessible::doAction(const QString &actionName)
{
    if (actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (!button()->isEnabled())
        return;
    // The tool waits for the answer to its call; a click whose handler opens a dialog would keep
    // it waiting. The click runs from the event loop once the call has returned, as a mouse click
    // does, and not at all if the button is gone by then.
    QMetaObject::invokeMethod(button(), &StyledButton::click, Qt::QueuedConnection);
}

QStringList StyledButtonAccessible::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == pressAction())
        return {QStringLiteral("space")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

} // namespace scrivlet
