#pragma once

#include <QByteArray>
#include <QList>

namespace scrivlet {

class MainWindow;

/// The files and folders named on the program's command line (what file managers' "Open With" and
/// context menus pass), added to the window's list through the very code a drop of them runs: the
/// same skip rules, folders scanned as a drop scans them, every row ticked, the status text set.
class CommandLineItems
{
public:
    static void add(MainWindow &window, const QList<QByteArray> &paths);
};

} // namespace scrivlet
