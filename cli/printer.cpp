#include "cli/printer.h"

#include "cli/json_text.h"
#include "cli/output.h"

namespace scrivlet {

Printer::Printer(Output &out, Output &err, Format format, bool terminal)
    : m_out(out), m_err(err), m_format(format), m_terminal(terminal)
{}

std::string Printer::shown(std::string_view text, bool sanitize)
{
    if (!sanitize)
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // U+0080..U+009F in UTF-8 are the C1 controls, which some terminals obey.
        const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (byte == '\\') {
            result += "\\\\";
        } else if (byte == '\n') {
            result += "\\n";
        } else if (byte == '\r') {
            result += "\\r";
        } else if (byte == '\t') {
            result += "\\t";
        } else if (byte < 0x20 || byte == 0x7F || c1) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            const int count = c1 ? 2 : 1;
            for (int k = 0; k < count; ++k) {
                const auto value = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
                result += "\\x";
                result += kHex[value >> 4];
                result += kHex[value & 0xF];
            }
            i += static_cast<std::size_t>(count - 1);
        } else {
            result += static_cast<char>(byte);
        }
    }
    return result;
}

void Printer::addJson(const std::string &path, std::string_view key, std::string_view value)
{
    m_out << (m_jsonStarted ? ",\n  {\"path\": " : "[\n  {\"path\": ") << JsonText::quoted(path) << ", \""
          << key << "\": " << JsonText::quoted(value) << '}';
    m_jsonStarted = true;
}

void Printer::comment(const std::string &path, std::string_view text, bool withPath)
{
    switch (m_format) {
    case Format::Json:
        addJson(path, "comment", text);
        return;
    case Format::NullSeparated:
        m_out << path << '\0' << text << '\0';
        return;
    case Format::Text:
        break;
    }
    // Piped, the text goes out exactly as stored; on a terminal line by line, each line escaped.
    if (!withPath && !m_terminal) {
        m_out << text;
        if (!text.empty())
            m_out << '\n';
        return;
    }
    const std::string prefix = withPath ? shown(path) + ":" : std::string();
    if (text.empty()) {
        if (withPath)
            m_out << prefix << '\n';
        return;
    }
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_out << prefix << (withPath ? " " : "") << shown(line) << '\n';
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    }
}

void Printer::listing(const std::string &path, std::string_view text)
{
    switch (m_format) {
    case Format::Json:
        addJson(path, "comment", text);
        return;
    case Format::NullSeparated:
        m_out << path << '\0';
        return;
    case Format::Text:
        break;
    }
    const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
    // Human output: one line per file, whatever bytes the name and the comment hold.
    m_out << shown(path, true) << ": " << shown(first, true) << '\n';
}

void Printer::failure(const std::string &path, std::string_view reason)
{
    if (m_format == Format::Json)
        addJson(path, "error", reason);
    m_err << "scriv: " << shown(path, true) << ": " << shown(reason, true) << '\n';
    m_err.flush();
}

void Printer::warning(std::string_view message)
{
    m_err << "scriv: " << shown(message, true) << '\n';
    m_err.flush();
}

void Printer::finish()
{
    if (m_format == Format::Json)
        m_out << (m_jsonStarted ? "\n]\n" : "[]\n");
    m_out.flush();
}

} // namespace scrivlet
