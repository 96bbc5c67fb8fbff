#include "cli/printer.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

Printer::Printer(std::ostream &out, std::ostream &err, bool json, bool terminal)
    : m_out(out), m_err(err), m_json(json), m_terminal(terminal)
{}

std::string Printer::shown(std::string_view text, bool sanitize)
{
    std::string result(text);
    if (!sanitize)
        return result;
    for (char &c : result) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\n' && c != '\r' && c != '\t') || byte == 0x7F)
            c = '?';
    }
    return result;
}

void Printer::addJson(const std::string &path, const char *key, std::string_view value)
{
    QJsonObject entry;
    entry.insert(QStringLiteral("path"),
                 QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())));
    entry.insert(QLatin1String(key),
                 QString::fromLocal8Bit(value.data(), static_cast<qsizetype>(value.size())));
    m_entries.append(entry);
}

void Printer::comment(const std::string &path, const std::string &text, bool withPath)
{
    if (m_json) {
        addJson(path, "comment", text);
        return;
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

void Printer::listing(const std::string &path, const std::string &text)
{
    if (m_json) {
        addJson(path, "comment", text);
        return;
    }
    std::string_view first = text;
    first = first.substr(0, first.find_first_of("\r\n"));
    m_out << shown(path) << ": " << shown(first) << '\n';
}

void Printer::failure(const std::string &path, std::string_view reason)
{
    if (m_json)
        addJson(path, "error", reason);
    m_err << "scriv: " << shown(path, true) << ": " << reason << '\n';
}

void Printer::warning(std::string_view message)
{
    m_err << "scriv: " << message << '\n';
}

void Printer::finish()
{
    if (m_json)
        m_out << QJsonDocument(m_entries).toJson(QJsonDocument::Indented).toStdString();
    m_out.flush();
}
