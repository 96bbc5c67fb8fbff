#pragma once

#include <QByteArray>
#include <QString>

/// The comment block text handed to the library, and the sizes the flows must respect.
///
/// The library appends exactly what it is given, so the markers are added here, once per save
/// command. Sizes count bytes of the locale's 8-bit encoding, as the library sees them.
class CommentText
{
public:
    static constexpr const char *StartMarker = "#.START.#";
    static constexpr const char *EndMarker = "#.END.# ";
    /// Bytes the two markers add to a comment.
    static constexpr int MarkerBytes = 17;
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
    /// The block's length as the library counts it: bytes after the 8-bit conversion.
    static qsizetype blockBytes(const QString &blockText);
    /// Whether the library would take this block text whole (it refuses longer ones).
    static bool fitsLibrary(const QString &blockText);
};
