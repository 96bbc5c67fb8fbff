#include "app/core/comment_import.h"

#include <QFile>
#include <QFileInfo>

CommentImport::Result CommentImport::load(const QString &path)
{
    // Only regular files: a folder or a pipe would fail or block in a plain read.
    if (!QFileInfo(path).isFile())
        return {Status::CannotOpen, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {Status::CannotOpen, {}};
    if (file.size() > MaxBytes)
        return {Status::TooLarge, {}};
    // Read one byte beyond the limit so a file that grew since its size was taken is refused too.
    const QByteArray bytes = file.read(MaxBytes + 1);
    if (bytes.size() > MaxBytes)
        return {Status::TooLarge, {}};
    if (file.error() != QFileDevice::NoError)
        return {Status::CannotOpen, {}};
    return {Status::Loaded, QString::fromLocal8Bit(bytes)};
}
