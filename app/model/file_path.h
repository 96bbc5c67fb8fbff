#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <cstdint>
#include <optional>

namespace scrivlet {

/// A file's path as the file system spells it: bytes, never decoded on the way to the file, so a
/// name that is not valid in the locale's encoding still reaches its file. Text is made from a path
/// only to show it.
class FilePath
{
public:
    /// The path for people to read: UTF-8, with each invalid byte shown as the replacement character.
    static QString display(const QByteArray &path);
    /// The bytes of a path that arrived as text (a dialog, a typed path).
    static QByteArray fromText(const QString &path);
    /// The part after the last "/" (the whole path when it has none).
    static QByteArray fileName(const QByteArray &path);
    /// The length of the regular file the path names (links followed); empty for anything else.
    static std::optional<std::int64_t> fileSize(const QByteArray &path);
    /// Whether the path names a folder (links followed).
    static bool isFolder(const QByteArray &path);
    /// Whether the path names anything at all (links followed: a dangling link names nothing).
    static bool exists(const QByteArray &path);
};

} // namespace scrivlet
