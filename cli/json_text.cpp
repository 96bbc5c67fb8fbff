#include "cli/json_text.h"

namespace scrivlet {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void appendEscape(std::string &out, unsigned value)
{
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(value >> shift) & 0xF];
}

unsigned byteAt(std::string_view bytes, std::size_t i)
{
    return static_cast<unsigned char>(bytes[i]);
}

} // namespace

std::size_t JsonText::utf8SequenceLength(std::string_view bytes)
{
    if (bytes.empty())
        return 0;
    const unsigned lead = byteAt(bytes, 0);
    if (lead < 0x80)
        return 1;
    // The lead byte gives the length and the range the second byte must lie in, which rules out
    // overlong forms, surrogates and code points above U+10FFFF.
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    const unsigned second = byteAt(bytes, 1);
    if (second < low || second > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byteAt(bytes, i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

std::string JsonText::quoted(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + 2);
    out += '"';
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned byte = byteAt(bytes, i);
        if (byte >= 0x80) {
            const std::size_t length = utf8SequenceLength(bytes.substr(i));
            if (length == 0) {
                appendEscape(out, 0xDC00 + byte);
                ++i;
            } else {
                out.append(bytes.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (byte) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F)
                appendEscape(out, byte);
            else
                out += static_cast<char>(byte);
        }
        ++i;
    }
    out += '"';
    return out;
}

} // namespace scrivlet
