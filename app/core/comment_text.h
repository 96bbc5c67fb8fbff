#pragma once

#include <QByteArray>
#include <QString>

/// The comment text as the editor shows it and as it is stored, and the block text handed to the
/// library's append call, which adds no markers of its own.
class CommentText
{
public:
    static constexpr const char *StartMarker = "#.START.#";
    static constexpr const char *EndMarker = "#.END.# ";
    /// The largest block text the library writes (its SCRIVLET_MAX_TEXT).
    static constexpr int MaxBlockBytes = 1000000;
    /// A result area that holds the largest comment the library writes, plus its zero byte.
    static constexpr int ReadCapacity = MaxBlockBytes + 1;

    /// The comment as stored: every line break (LF, CR or CR LF, as the editor or an imported file
    /// gives it) becomes CR LF, so files read the same on every system.
    static QString storedText(const QString &editorText);
    /// The comment as the editor shows it: every stored line break becomes one LF.
    static QString shownText(const QString &storedText);
    /// "#.START.#" + comment + "#.END.# ".
    static QString blockText(const QString &comment);
};
