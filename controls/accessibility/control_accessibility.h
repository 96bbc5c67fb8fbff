#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace scrivlet {

// Makes the own controls answer assistive tools as the standard controls they stand for: a
// StyledButton as a push button, an XP_ProgressBar as a progress bar. Qt's own description of a
// plain widget (a nameless filler) would otherwise be all a screen reader gets.
class ControlAccessibility
{
public:
    // Registers the interface factory with QAccessible; later calls do nothing.
    static void install();

    // The factory: an interface for an own control, null for anything else.
    static QAccessibleInterface *create(const QString &className, QObject *object);
};

} // namespace scrivlet
