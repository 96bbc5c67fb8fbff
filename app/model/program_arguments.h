#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace scrivlet {

/// What the program was asked for on its command line:
///
///     scrivlet [--screenshot IMAGE] [--scale FACTOR] [--] [FILE|FOLDER]...
///     scrivlet --help | --version
///
/// The files and folders are listed as a drop lists them; this is what file managers' "Open With"
/// and context menus call. Paths stay the bytes the system gave (a name need not be UTF-8);
/// relative ones are taken from the current folder, and a file:// address stands for the local
/// path it names, percent-escapes decoded, so a file manager may pass either.
class ProgramArguments
{
public:
    enum class Action { Run, Help, Version, Error };

    /// @p arguments without the program's name (Qt's own options already taken out);
    /// @p currentFolder is the absolute folder relative paths start from.
    static ProgramArguments parse(const QList<QByteArray> &arguments, const QByteArray &currentFolder);

    static QString usage();

    Action action() const { return m_action; }
    /// The reason, for Action::Error.
    QString error() const { return m_error; }
    /// The image file to render the window to instead of showing it, or empty.
    QString screenshotFile() const { return m_screenshotFile; }
    /// The screen scale asked for (2 draws the window at twice the pixels), or 0 for the screen's own.
    double scale() const { return m_scale; }
    /// Absolute paths, in the order given.
    const QList<QByteArray> &paths() const { return m_paths; }

private:
    Action m_action = Action::Run;
    QString m_error;
    QString m_screenshotFile;
    double m_scale = 0;
    QList<QByteArray> m_paths;
};

} // namespace scrivlet
