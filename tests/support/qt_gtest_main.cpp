// GoogleTest main for tests that need a QApplication: widgets, QTest input, QSignalSpy.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Tests run headless unless the caller chose a platform (say xcb, to watch them).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The user's own settings and folders are never read or written by a test: the standard places
    // move to Qt's test folders, and settings go to a folder of this process alone (the default
    // format, which the program's settings use, as a file even where the native one is the
    // registry), so tests running side by side do not see each other's choices.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settings;
    if (!settings.isValid())
        qFatal("no temporary folder for the tests' settings");
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
