#include "app/model/user_settings.h"

namespace scrivlet {

namespace {

const QString kKeepFileDates = QStringLiteral("Options/KeepFileDates");
const QString kWindowSize = QStringLiteral("Window/Size");
const QString kWindowMaximized = QStringLiteral("Window/Maximized");

} // namespace

QSettings UserSettings::open()
{
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope, QString::fromLatin1(kOrganisation),
                     QString::fromLatin1(kApplication));
}

bool UserSettings::keepFileDates()
{
    return open().value(kKeepFileDates, false).toBool();
}

void UserSettings::setKeepFileDates(bool keep)
{
    // Written through at once: a program that is killed later still remembers the choice.
    QSettings settings = open();
    settings.setValue(kKeepFileDates, keep);
    settings.sync();
}

QSize UserSettings::windowSize()
{
    return open().value(kWindowSize).toSize();
}

bool UserSettings::windowMaximized()
{
    return open().value(kWindowMaximized, false).toBool();
}

void UserSettings::setWindowPlacement(const QSize &size, bool maximized)
{
    QSettings settings = open();
    settings.setValue(kWindowSize, size);
    settings.setValue(kWindowMaximized, maximized);
    settings.sync();
}

QString UserSettings::location()
{
    return open().fileName();
}

} // namespace scrivlet
