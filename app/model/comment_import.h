#pragma once

#include <QFile>
#include <QString>

#include <optional>

namespace scrivlet {

/// Loads a text file to become the comment text (the Import command).
///
/// In three steps, so the command can show its messages and busy pointer in between: open,
/// check the size, read. The bytes are read as UTF-8 when they are valid UTF-8 (a leading byte order
/// mark is dropped), else as Windows-1252 (see EightBitText). A file above MaxBytes is refused
/// before anything is read, so an oversized file never replaces the comment.
class CommentImport
{
public:
    static constexpr qint64 MaxBytes = 65535;

    explicit CommentImport(const QString &path);

    /// Opens the file for reading; false when it is not a readable regular file.
    bool open();
    /// Whether the open file holds more than MaxBytes.
    bool tooLarge() const;
    /// The whole text, or nothing when reading failed or the file grew past MaxBytes meanwhile.
    std::optional<QString> readText();

private:
    QFile m_file;
};

} // namespace scrivlet
