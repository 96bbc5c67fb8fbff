#include "app/model/eight_bit_text.h"

#include <QStringDecoder>

#include <array>

namespace scrivlet {

namespace {

// 0x80-0x9F; the other bytes are the Unicode characters of the same number, as in Latin-1.
constexpr char16_t kUndefined = 0xFFFD;
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC,     kUndefined, 0x201A, 0x0192, 0x201E, 0x2026,     0x2020, 0x2021,     // 0x80
    0x02C6,     0x2030,     0x0160, 0x2039, 0x0152, kUndefined, 0x017D, kUndefined, // 0x88
    kUndefined, 0x2018,     0x2019, 0x201C, 0x201D, 0x2022,     0x2013, 0x2014,     // 0x90
    0x02DC,     0x2122,     0x0161, 0x203A, 0x0153, kUndefined, 0x017E, 0x0178,     // 0x98
};

} // namespace

char16_t EightBitText::windows1252(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

QString EightBitText::fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(windows1252(static_cast<unsigned char>(byte)));
    return text;
}

QString EightBitText::decode(QByteArrayView bytes)
{
    // Stateless: a sequence cut off at the end is an error too, not left waiting for more bytes.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(bytes);
}

} // namespace scrivlet
