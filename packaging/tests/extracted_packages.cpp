#include "packaging/tests/extracted_packages.h"

#include "packaging/tests/process_run.h"

#include <QDir>
#include <QFileInfo>

ExtractedPackages::ExtractedPackages() : m_root(std::make_unique<QTemporaryDir>())
{
    const QDir folder(QStringLiteral(SCRIVLET_PACKAGE_DIR));
    for (const QFileInfo &deb : folder.entryInfoList({QStringLiteral("*.deb")}, QDir::Files, QDir::Name))
        m_debs << deb.absoluteFilePath();
    if (m_debs.isEmpty()) {
        m_error =
            QStringLiteral("no .deb in ") + folder.path() + QStringLiteral(" (run the Package/build test)");
        return;
    }
    for (const QString &deb : m_debs) {
        const ProcessRun run =
            ProcessRun::run(QStringLiteral("dpkg"), {QStringLiteral("-x"), deb, m_root->path()});
        if (run.exitCode != 0)
            m_error += QStringLiteral("dpkg -x %1: %2\n").arg(deb, QString::fromLocal8Bit(run.err));
    }
}

const ExtractedPackages &ExtractedPackages::get()
{
    static const ExtractedPackages packages;
    return packages;
}

QString ExtractedPackages::deb(const QString &package) const
{
    for (const QString &deb : m_debs)
        if (QFileInfo(deb).fileName().startsWith(package + QLatin1Char('_')))
            return deb;
    return {};
}

QString ExtractedPackages::path(const QString &relative) const
{
    return m_root->filePath(relative);
}

QString ExtractedPackages::libraryFolder() const
{
    return path(QStringLiteral(SCRIVLET_INSTALL_LIBDIR));
}
