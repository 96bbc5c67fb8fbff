#include "controls/accessibility/progress_bar_accessible.h"

#include "controls/progress_bar/xp_progress_bar.h"

#include <QVariant>

namespace scrivlet {

ProgressBarAccessible::ProgressBarAccessible(XP_ProgressBar *bar)
    : QAccessibleWidget(bar, QAccessible::ProgressBar)
{}

XP_ProgressBar *ProgressBarAccessible::bar() const
{
    return static_cast<XP_ProgressBar *>(widget());
}

void *ProgressBarAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

QVariant ProgressBarAccessible::currentValue() const
{
    // Min is not checked against Max when set; a range turned round reads as empty at Min.
    const qint32 low = bar()->minimum();
    const qint32 high = qMax(low, bar()->maximum());
    return qMax(low, qMin(bar()->value(), high));
}

void ProgressBarAccessible::setCurrentValue(const QVariant &value)
{
    Q_UNUSED(value);
}

QVariant ProgressBarAccessible::maximumValue() const
{
    return qMax(bar()->minimum(), bar()->maximum());
}

QVariant ProgressBarAccessible::minimumValue() const
{
    return bar()->minimum();
}

QVariant ProgressBarAccessible::minimumStepSize() const
{
    return 0;
}

} // namespace scrivlet
