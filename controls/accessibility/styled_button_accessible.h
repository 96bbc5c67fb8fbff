#pragma once

#include <QAccessibleWidget>

namespace scrivlet {

class StyledButton;

// A StyledButton as assistive tools see it: a push button named by its caption as shown, its
// tooltip as description, and a press action that clicks it as the mouse does.
class StyledButtonAccessible : public QAccessibleWidget
{
public:
    explicit StyledButtonAccessible(StyledButton *button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    StyledButton *button() const;
};

} // namespace scrivlet
