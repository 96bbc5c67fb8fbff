#pragma once

#include "app/ui/form_design.h"

#include <QHash>
#include <QString>

class QWidget;

namespace scrivlet {

// Creates the controls of a stored design on a host window: each at its pixel position inside its
// container, with its caption, font and initial state; own controls load their stored settings.
// Controls of an unknown kind are left out (they have no stand-in on this platform).
class FormBuilder
{
public:
    explicit FormBuilder(QWidget *host) : m_host(host) {}

    // Builds every control of `form` and sizes the host's client area.
    void build(const FormDesign &form);

    // The control built under `name`, or null.
    QWidget *widget(const QString &name) const { return m_widgets.value(name); }
    template <typename T> T *get(const QString &name) const { return qobject_cast<T *>(widget(name)); }

    // Maps the Windows font names of the designs to similar fonts of this system (once).
    static void installFontSubstitutes();

    // The colour of a 0x00BBGGRR value.
    static QColor colorOf(quint32 bgr);

private:
    QWidget *create(const ControlDesign &control, QWidget *parent) const;

    QWidget *m_host;
    QHash<QString, QWidget *> m_widgets;
};

// Centres a window on the primary screen (the designs' windows all open centred), inside the
// screen's available area: a larger window shrinks to fit where its minimum size allows.
void centreOnScreen(QWidget &window);

} // namespace scrivlet
