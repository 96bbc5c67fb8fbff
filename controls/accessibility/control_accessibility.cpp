#include "controls/accessibility/control_accessibility.h"

#include "controls/accessibility/progress_bar_accessible.h"
#include "controls/accessibility/styled_button_accessible.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "controls/styled_button/styled_button.h"

#include <QAccessible>

namespace scrivlet {

void ControlAccessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&ControlAccessibility::create);
        return true;
    }();
    Q_UNUSED(installed);
}

QAccessibleInterface *ControlAccessibility::create(const QString &className, QObject *object)
{
    // Asked once per class of the object's ancestry, most derived first: answering only for the
    // control's own class leaves a class derived from it to a factory of its own.
    if (auto *button = qobject_cast<StyledButton *>(object);
        button != nullptr && className == QLatin1String(StyledButton::staticMetaObject.className()))
        return new StyledButtonAccessible(button);
    if (auto *bar = qobject_cast<XP_ProgressBar *>(object);
        bar != nullptr && className == QLatin1String(XP_ProgressBar::staticMetaObject.className()))
        return new ProgressBarAccessible(bar);
    return nullptr;
}

} // namespace scrivlet
