#pragma once

#include <QString>

/// Loads a text file to become the comment text (the Import command).
///
/// The file's bytes are taken in the locale's 8-bit encoding. Files above MaxBytes are refused
/// before anything is read, so an oversized file never replaces the comment.
class CommentImport
{
public:
    static constexpr qint64 MaxBytes = 65535;

    enum class Status { Loaded, CannotOpen, TooLarge };

    struct Result
    {
        Status status = Status::CannotOpen;
        QString text;
    };

    static Result load(const QString &path);
};
