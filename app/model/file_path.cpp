#include "app/model/file_path.h"

#include <QFile>

#include <sys/stat.h>

namespace scrivlet {

QString FilePath::display(const QByteArray &path)
{
    return QString::fromUtf8(path);
}

QByteArray FilePath::fromText(const QString &path)
{
    return QFile::encodeName(path);
}

QByteArray FilePath::fileName(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

std::optional<std::int64_t> FilePath::fileSize(const QByteArray &path)
{
    struct stat status
    {
    };
    if (path.isEmpty() || ::stat(path.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return static_cast<std::int64_t>(status.st_size);
}

bool FilePath::isFolder(const QByteArray &path)
{
    struct stat status
    {
    };
    return !path.isEmpty() && ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool FilePath::exists(const QByteArray &path)
{
    struct stat status
    {
    };
    return !path.isEmpty() && ::stat(path.constData(), &status) == 0;
}

} // namespace scrivlet
