#pragma once

#include <QByteArrayView>
#include <QString>

namespace scrivlet {

/// Turns the bytes of a stored comment or an imported text file into text.
///
/// Bytes that form valid UTF-8 are that text. Anything else is taken as Windows-1252, the 8-bit
/// code page of the Windows systems that classic comments and text files come from: every byte
/// becomes one character, and the five bytes that code page leaves undefined (0x81, 0x8D, 0x8F,
/// 0x90, 0x9D) become the replacement character U+FFFD. The table is written out here because
/// Qt offers that code page only where it is built with ICU, and maps the undefined bytes
/// differently there.
class EightBitText
{
public:
    /// UTF-8 when @p bytes are valid UTF-8 (a leading byte order mark is kept), else Windows-1252.
    static QString decode(QByteArrayView bytes);
    /// Every byte as its Windows-1252 character.
    static QString fromWindows1252(QByteArrayView bytes);
    /// The character Windows-1252 gives @p byte (U+FFFD for the undefined ones).
    static char16_t windows1252(unsigned char byte);
};

} // namespace scrivlet
