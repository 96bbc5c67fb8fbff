#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

/// The Debian packages this build made for its tests (the Package/build test runs cpack), each
/// unpacked with `dpkg -x` into one temporary root, as dpkg would lay them out on a system.
class ExtractedPackages
{
public:
    /// The packages unpacked once per test program; check error() before use.
    static const ExtractedPackages &get();

    QString error() const { return m_error; }
    /// The .deb file of @p package ("scrivlet", "libscrivlet1", "libscrivlet-dev"), or empty.
    QString deb(const QString &package) const;
    /// @p path under the root ("usr/bin/scriv").
    QString path(const QString &path) const;
    /// The library folder of the root, the only one the extracted programs may load from.
    QString libraryFolder() const;

private:
    ExtractedPackages();

    std::unique_ptr<QTemporaryDir> m_root;
    QStringList m_debs;
    QString m_error;
};
