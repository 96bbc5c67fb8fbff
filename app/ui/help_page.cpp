#include "app/ui/help_page.h"

#include "app/platform/platform.h"
#include "app/ui/product_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace scrivlet {

namespace {

const QString kName = QStringLiteral("scrivlet/help.html");

} // namespace

QString HelpPage::path()
{
    // The program's own prefix wins over a copy installed elsewhere: a build run from its tree,
    // or an install under ~/.local, shows its own page.
    const QString beside =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/") + kName);
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation, kName);
    return installed.isEmpty() ? beside : installed;
}

void HelpPage::open(Platform &platform)
{
    const QString page = path();
    if (QFileInfo(page).isFile() && platform.openUrl(QUrl::fromLocalFile(page).toString()))
        return;
    const QString text =
        QFileInfo(page).isFile()
            ? QStringLiteral("No program could open the help page. Open this file in a web browser:\n\n%1")
            : QStringLiteral("The help page is missing. It belongs here:\n\n%1");
    platform.messageBox(text.arg(QDir::toNativeSeparators(page)), QString::fromLatin1(ProductTexts::kTitle),
                        Platform::Icon::Exclamation, Platform::Buttons::Ok);
}

} // namespace scrivlet
