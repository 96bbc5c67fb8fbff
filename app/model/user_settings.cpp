#include "app/model/user_settings.h"

namespace scrivlet {

namespace {

const QString kKeepFileDates = QStringLiteral("Options/KeepFileDates");

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

QString UserSettings::location()
{
    return open().fileName();
}

} // namespace scrivlet
