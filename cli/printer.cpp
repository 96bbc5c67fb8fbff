#include "cli/printer.h"

#include "cli/json_text.h"
#include "cli/output.h"

namespace scrivlet {

Printer::Printer(Output &out, Output &err, Format format, bool terminal)
    : m_out(out), m_err(err), m_format(format), m_terminal(terminal)
{}

std::string Printer::shown(std::string_view text, bool sanitize)
{
    std::string result(text);
    if (!sanitize)
        return result;
    for (std::size_t i = 0; i < result.size(); ++i) {
        const auto byte = static_cast<unsigned char>(result[i]);
        if ((byte < 0x20 && byte != '\n' && byte != '\r' && byte != '\t') || byte == 0x7F) {
            result[i] = '?';
        } else if (byte == 0xC2 && i + 1 < result.size()) {
            // U+0080..U+009F in UTF-8: the C1 controls, which some terminals obey.
            const auto next = static_cast<unsigned char>(result[i + 1]);
            if (next >= 0x80 && next <= 0x9F)
                result.replace(i, 2, "?");
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
    if (!withPath) {
        m_out << shown(text);
        if (!text.empty())
            m_out << '\n';
        return;
    }
    const std::string prefix = shown(path) + ":";
    if (text.empty()) {
        m_out << prefix << '\n';
        return;
    }
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_out << prefix << ' ' << shown(line) << '\n';
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
    m_out << shown(path) << ": " << shown(first) << '\n';
}

void Printer::failure(const std::string &path, std::string_view reason)
{
    if (m_format == Format::Json)
        addJson(path, "error", reason);
    m_err << "scriv: " << shown(path, true) << ": " << reason << '\n';
    m_err.flush();
}

void Printer::warning(std::string_view message)
{
    m_err << "scriv: " << message << '\n';
    m_err.flush();
}

void Printer::finish()
{
    if (m_format == Format::Json)
        m_out << (m_jsonStarted ? "\n]\n" : "[]\n");
    m_out.flush();
}

} // namespace scrivlet
