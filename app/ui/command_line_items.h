#pragma once

#include <QByteArray>
#include <QList>

namespace scrivlet {

class MainWindow;
class Platform;

/// The files and folders named on the program's command line (what file managers' "Open With" and
/// context menus pass), added to the window's list through the very code a drop of them runs: the
/// same skip rules, folders scanned as a drop scans them, every row ticked, the status text set.
/// Unlike a drop, whose vanished items are skipped without a word, a named item that does not
/// exist is worth a message: it was typed or passed on purpose.
class CommandLineItems
{
public:
    /// Adds the items; returns those that do not exist, in the order given.
    static QList<QByteArray> add(MainWindow &window, const QList<QByteArray> &paths);

    /// One message naming the items that were not found (none: no message).
    static void reportNotFound(Platform &platform, const QList<QByteArray> &notFound);
};

} // namespace scrivlet
