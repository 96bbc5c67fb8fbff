#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

namespace scrivlet {

class XP_ProgressBar;

// An XP_ProgressBar as assistive tools see it: a progress bar with its minimum, maximum and value.
// The value is reported inside that range: a run leaves the bar's value at one past its maximum.
class ProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit ProgressBarAccessible(XP_ProgressBar *bar);

    void *interface_cast(QAccessible::InterfaceType t) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override; // the user cannot set a progress
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    XP_ProgressBar *bar() const;
};

} // namespace scrivlet
