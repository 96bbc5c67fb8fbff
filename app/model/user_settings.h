#pragma once

#include <QSettings>
#include <QSize>
#include <QString>

namespace scrivlet {

/// The user's choices that outlive a run of the program, kept where the system keeps programs'
/// settings: ~/.config/Scrivlet/Scrivlet.conf (under $XDG_CONFIG_HOME when set), the registry
/// under HKEY_CURRENT_USER\Software\Scrivlet\Scrivlet on Windows.
///
/// The store is QSettings' default format in the user scope, so a test program can move it to a
/// folder of its own (QSettings::setDefaultFormat and setPath) and never touch the user's real one.
class UserSettings
{
public:
    static constexpr const char *kOrganisation = "Scrivlet";
    static constexpr const char *kApplication = "Scrivlet";

    /// Whether Save and Delete give files back their access and modification times; off until the
    /// user ticks the box.
    static bool keepFileDates();
    static void setKeepFileDates(bool keep);

    /// The main window's size when it was last closed (its size when not maximised), and whether
    /// it was maximised; an invalid size until a window was closed.
    static QSize windowSize();
    static bool windowMaximized();
    static void setWindowPlacement(const QSize &size, bool maximized);

    /// Where the settings are kept (a file, or a registry key on Windows).
    static QString location();

private:
    static QSettings open();
};

} // namespace scrivlet
