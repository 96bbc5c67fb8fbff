#include "app/model/eight_bit_text.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QString>

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>

using namespace scrivlet;

namespace {

// Code points as U+XXXX, so a failure shows which character came instead of unreadable bytes.
std::string codes(const QString &text)
{
    std::string out;
    for (const char32_t c : text.toUcs4()) {
        char code[16];
        std::snprintf(code, sizeof code, "%sU+%04X", out.empty() ? "" : " ", static_cast<unsigned>(c));
        out += code;
    }
    return out;
}

// The system's own converter (glibc's CP1252 module): the character it gives one byte, or nothing
// for the bytes the code page leaves undefined.
class SystemWindows1252
{
public:
    SystemWindows1252() : m_converter(iconv_open("UTF-32LE", "CP1252")) {}
    ~SystemWindows1252()
    {
        if (available())
            iconv_close(m_converter);
    }
    SystemWindows1252(const SystemWindows1252 &) = delete;
    SystemWindows1252 &operator=(const SystemWindows1252 &) = delete;

    bool available() const { return m_converter != reinterpret_cast<iconv_t>(-1); }

    std::optional<char32_t> character(unsigned char byte)
    {
        char in = static_cast<char>(byte);
        char32_t out = 0;
        char *inPointer = &in;
        auto *outPointer = reinterpret_cast<char *>(&out);
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        iconv(m_converter, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        return out;
    }

private:
    iconv_t m_converter;
};

TEST(EightBitText, EveryByteIsTheCharacterTheSystemsConverterGivesIt)
{
    SystemWindows1252 system;
    if (!system.available())
        GTEST_SKIP() << "the system has no CP1252 converter";
    for (int byte = 0; byte < 256; ++byte) {
        const std::optional<char32_t> expected = system.character(static_cast<unsigned char>(byte));
        const char16_t got = EightBitText::windows1252(static_cast<unsigned char>(byte));
        EXPECT_EQ(static_cast<char32_t>(got), expected.value_or(U'\uFFFD')) << "byte " << byte;
    }
}

// Well-known characters of the code page, listed in the order of their bytes.
struct ByteCase
{
    unsigned char byte;
    const char *name;
    char16_t character;
};

void PrintTo(const ByteCase &c, std::ostream *os)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", c.byte);
    *os << hex << ' ' << c.name;
}

class Windows1252Byte : public ::testing::TestWithParam<ByteCase>
{
};

TEST_P(Windows1252Byte, IsItsCharacter)
{
    const ByteCase c = GetParam();
    const QString text = EightBitText::fromWindows1252(QByteArray(1, static_cast<char>(c.byte)));
    ASSERT_EQ(text.size(), 1);
    EXPECT_EQ(text.at(0).unicode(), c.character);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Windows1252Byte,
    ::testing::Values(ByteCase{0x0A, "line feed", u'\n'}, ByteCase{0x41, "capital A", u'A'},
                      ByteCase{0x7F, "delete", u'\u007F'}, ByteCase{0x80, "euro sign", u'€'},
                      ByteCase{0x81, "undefined", u'\uFFFD'}, ByteCase{0x82, "low single quote", u'‚'},
                      ByteCase{0x83, "f with hook", u'ƒ'}, ByteCase{0x85, "ellipsis", u'…'},
                      ByteCase{0x8A, "S with caron", u'Š'}, ByteCase{0x8C, "ligature OE", u'Œ'},
                      ByteCase{0x8D, "undefined", u'\uFFFD'}, ByteCase{0x8E, "Z with caron", u'Ž'},
                      ByteCase{0x8F, "undefined", u'\uFFFD'}, ByteCase{0x90, "undefined", u'\uFFFD'},
                      ByteCase{0x91, "left single quote", u'‘'}, ByteCase{0x92, "right single quote", u'’'},
                      ByteCase{0x93, "left double quote", u'“'}, ByteCase{0x94, "right double quote", u'”'},
                      ByteCase{0x95, "bullet", u'•'}, ByteCase{0x96, "en dash", u'–'},
                      ByteCase{0x97, "em dash", u'—'}, ByteCase{0x98, "small tilde", u'˜'},
                      ByteCase{0x99, "trade mark", u'™'}, ByteCase{0x9C, "ligature oe", u'œ'},
                      ByteCase{0x9D, "undefined", u'\uFFFD'}, ByteCase{0x9E, "z with caron", u'ž'},
                      ByteCase{0x9F, "Y with diaeresis", u'Ÿ'}, ByteCase{0xA0, "no-break space", u'\u00A0'},
                      ByteCase{0xA9, "copyright", u'©'}, ByteCase{0xC4, "A with diaeresis", u'Ä'},
                      ByteCase{0xDF, "sharp s", u'ß'}, ByteCase{0xE9, "e with acute", u'é'},
                      ByteCase{0xFF, "y with diaeresis", u'ÿ'}),
    PrintedCaseName());

struct DecodeCase
{
    const char *name;
    QByteArray bytes;
    const char16_t *text;
};

void PrintTo(const DecodeCase &c, std::ostream *os)
{
    *os << c.name;
}

class EightBitDecode : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(EightBitDecode, Utf8WhenValidElseWindows1252)
{
    const DecodeCase &c = GetParam();
    const QString expected = QStringView(c.text).toString();
    const QString got = EightBitText::decode(c.bytes);
    EXPECT_EQ(got, expected) << codes(got) << " instead of " << codes(expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EightBitDecode,
    ::testing::Values(
        DecodeCase{"empty", "", u""}, DecodeCase{"ascii with line breaks", "a\r\nb", u"a\r\nb"},
        DecodeCase{"utf8 letters", "h\xC3\xA9llo \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC", u"héllo – 日本"},
        DecodeCase{"utf8 outside the basic plane", "\xF0\x9F\x98\x80!", u"\U0001F600!"},
        DecodeCase{"utf8 byte order mark kept", "\xEF\xBB\xBFx", u"\uFEFFx"},
        DecodeCase{"latin1 letter", "caf\xE9", u"café"},
        DecodeCase{"windows1252 quotes and dash", "\x93hi\x94 \x96 \x80", u"“hi” – €"},
        DecodeCase{"the five undefined bytes", "\x81\x8D\x8F\x90\x9D", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
        // One byte that is no UTF-8 makes the whole text Windows-1252, its UTF-8 letters too.
        DecodeCase{"utf8 letter before a stray byte", "\xC3\xA9\xE9", u"Ã©é"},
        DecodeCase{"sequence cut off at the end", "ab\xC3", u"abÃ"},
        DecodeCase{"overlong slash", "\xC0\xAF", u"À¯"},
        DecodeCase{"encoded surrogate", "\xED\xA0\x80", u"í\u00A0€"},
        DecodeCase{"beyond the last code point", "\xF4\x90\x80\x80", u"ô\uFFFD€€"}),
    PrintedCaseName());

} // namespace
