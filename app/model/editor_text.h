#pragma once

#include "scrivlet.h"

#include <QString>

namespace scrivlet {

/// The comment text as the editor shows it and as it is stored.
class EditorText
{
public:
    /// A result area that holds the largest comment the library writes, plus its zero byte.
    static constexpr int ReadCapacity = SCRIVLET_MAX_TEXT + 1;

    /// The comment as stored: every line break (LF, CR or CR LF, as the editor or an imported file
    /// gives it) becomes CR LF, so files read the same on every system.
    static QString storedText(const QString &editorText);
    /// The comment as the editor shows it: every stored line break becomes one LF.
    static QString shownText(const QString &storedText);
};

} // namespace scrivlet
