#include "json_reader.h"

#include <cctype>

namespace scrivlet {

namespace {

class Parser
{
public:
    explicit Parser(const std::string &text) : m_text(text) {}

    std::optional<std::vector<JsonReader::Object>> array()
    {
        std::vector<JsonReader::Object> objects;
        if (!take('['))
            return std::nullopt;
        if (take(']'))
            return end() ? std::optional(objects) : std::nullopt;
        do {
            auto object = this->object();
            if (!object)
                return std::nullopt;
            objects.push_back(std::move(*object));
        } while (take(','));
        if (!take(']') || !end())
            return std::nullopt;
        return objects;
    }

private:
    void skipBlanks()
    {
        while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at])))
            ++m_at;
    }
    bool take(char c)
    {
        skipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    bool end()
    {
        skipBlanks();
        return m_at == m_text.size();
    }

    std::optional<JsonReader::Object> object()
    {
        JsonReader::Object object;
        if (!take('{'))
            return std::nullopt;
        if (take('}'))
            return object;
        do {
            auto key = string();
            if (!key || !take(':'))
                return std::nullopt;
            auto value = string();
            if (!value || object.count(*key) != 0)
                return std::nullopt;
            object[*key] = *value;
        } while (take(','));
        if (!take('}'))
            return std::nullopt;
        return object;
    }

    std::optional<unsigned> hex4()
    {
        if (m_at + 4 > m_text.size())
            return std::nullopt;
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<unsigned>(c - 'A' + 10);
            else
                return std::nullopt;
        }
        return value;
    }

    static void appendUtf8(std::string &out, unsigned code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::optional<std::string> string()
    {
        if (!take('"'))
            return std::nullopt;
        std::string out;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                return std::nullopt; // raw control characters are not allowed in JSON strings
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_at >= m_text.size())
                return std::nullopt;
            const char e = m_text[m_at++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                auto code = hex4();
                if (!code)
                    return std::nullopt;
                if (*code >= 0xD800 && *code <= 0xDBFF && m_text.compare(m_at, 2, "\\u") == 0) {
                    m_at += 2;
                    auto low = hex4();
                    if (!low || *low < 0xDC00 || *low > 0xDFFF)
                        return std::nullopt;
                    appendUtf8(out, 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00));
                } else if (*code >= 0xDC80 && *code <= 0xDCFF) {
                    out += static_cast<char>(*code - 0xDC00);
                } else if (*code >= 0xD800 && *code <= 0xDFFF) {
                    return std::nullopt;
                } else {
                    appendUtf8(out, *code);
                }
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    const std::string &m_text;
    std::size_t m_at = 0;
};

} // namespace

std::optional<std::vector<JsonReader::Object>> JsonReader::parseArray(const std::string &text)
{
    return Parser(text).array();
}

} // namespace scrivlet
