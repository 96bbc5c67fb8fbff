// JSON strings that give back every byte: valid UTF-8 as it is, other bytes as \udc80..\udcff.
#include "cli/json_text.h"
#include "json_reader.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <ostream>
#include <random>
#include <string>

using namespace scrivlet;

namespace {

using namespace std::string_literals;

struct QuoteCase
{
    const char *name;
    std::string bytes;
    std::string json;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const QuoteCase &c, std::ostream *os)
{
    *os << c.name;
}

class Quoted : public testing::TestWithParam<QuoteCase>
{
};

TEST_P(Quoted, EscapesWhatJsonNeedsAndBytesThatAreNotUtf8)
{
    EXPECT_EQ(JsonText::quoted(GetParam().bytes), GetParam().json);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Quoted, testing::Values(
    QuoteCase{"Empty", "", R"("")"},
    QuoteCase{"Plain", "a b/c", R"("a b/c")"},
    QuoteCase{"QuoteAndBackslash", "say \"hi\" \\o/", R"("say \"hi\" \\o/")"},
    QuoteCase{"LineBreaksAndTab", "a\r\nb\tc", R"("a\r\nb\tc")"},
    QuoteCase{"OtherControls", "\x01\x1f\x7f"s + '\0', R"("\u0001\u001f\u007f\u0000")"},
    QuoteCase{"TwoByteLetter", "caf\xc3\xa9", "\"caf\xc3\xa9\""},
    QuoteCase{"ThreeByteLetter", "\xe6\x97\xa5", "\"\xe6\x97\xa5\""},
    QuoteCase{"FourByteLetter", "\xf0\x9f\x98\x80", "\"\xf0\x9f\x98\x80\""},
    QuoteCase{"Latin1Byte", "caf\xe9.txt", R"("caf\udce9.txt")"},
    QuoteCase{"LoneContinuation", "\x80", R"("\udc80")"},
    QuoteCase{"OverlongSlash", "\xc0\xaf", R"("\udcc0\udcaf")"},
    QuoteCase{"OverlongThreeBytes", "\xe0\x80\xaf", R"("\udce0\udc80\udcaf")"},
    QuoteCase{"EncodedSurrogate", "\xed\xa0\x80", R"("\udced\udca0\udc80")"},
    QuoteCase{"AboveUnicode", "\xf4\x90\x80\x80", R"("\udcf4\udc90\udc80\udc80")"},
    QuoteCase{"CutShortAtTheEnd", "a\xe6\x97", R"("a\udce6\udc97")"},
    QuoteCase{"CutShortBeforeAscii", "\xc3z", R"("\udcc3z")"},
    QuoteCase{"NeverALeadByte", "\xff\xfe", R"("\udcff\udcfe")"},
    QuoteCase{"LastCodePoint", "\xf4\x8f\xbf\xbf", "\"\xf4\x8f\xbf\xbf\""}),
    [](const testing::TestParamInfo<QuoteCase> &param) { return std::string(param.param.name); });
// clang-format on

// glibc's converter as an independent judge of UTF-8: it refuses overlong forms and surrogates.
bool isValidUtf8(const std::string &text)
{
    iconv_t converter = ::iconv_open("UTF-32LE", "UTF-8");
    std::string in = text;
    std::string out(4 * text.size() + 4, '\0');
    char *inPointer = in.data();
    char *outPointer = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = ::iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    ::iconv_close(converter);
    return result != static_cast<std::size_t>(-1) && inLeft == 0;
}

TEST(Quoted, AnyBytesComeBackExactlyAndTheTextIsValidUtf8)
{
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(static_cast<std::size_t>(length(rng)), '\0');
        for (char &c : bytes)
            c = static_cast<char>(byte(rng));
        const std::string json = JsonText::quoted(bytes);
        ASSERT_TRUE(isValidUtf8(json)) << json;
        const auto parsed = JsonReader::parseArray("[{\"k\": " + json + "}]");
        ASSERT_TRUE(parsed.has_value()) << json;
        EXPECT_EQ(parsed->at(0).at("k"), bytes) << json;
    }
}

} // namespace
