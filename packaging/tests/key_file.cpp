#include "packaging/tests/key_file.h"

#include <QFile>
#include <QRegularExpression>

KeyFile KeyFile::load(const QString &path)
{
    KeyFile file;
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
        return file;
    file.m_loaded = true;
    static const QRegularExpression keyPattern(QStringLiteral("^[A-Za-z0-9-]+(\\[[^\\]]+\\])?$"));
    QString group;
    int number = 0;
    while (!in.atEnd()) {
        QString line = QString::fromUtf8(in.readLine());
        if (line.endsWith(QLatin1Char('\n')))
            line.chop(1);
        ++number;
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2);
            if (file.m_groups.count(group) != 0)
                file.m_problems << QStringLiteral("line %1: group [%2] again").arg(number).arg(group);
            file.m_order << group;
            file.m_groups[group];
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString key = line.left(equals).trimmed();
        if (equals < 0 || group.isEmpty() || !keyPattern.match(key).hasMatch()) {
            file.m_problems << QStringLiteral("line %1: '%2'").arg(number).arg(line);
            continue;
        }
        auto &entries = file.m_groups[group];
        if (entries.count(key) != 0)
            file.m_problems << QStringLiteral("line %1: %2 given twice in [%3]").arg(number).arg(key, group);
        entries[key] = line.mid(equals + 1).trimmed();
    }
    return file;
}

bool KeyFile::has(const QString &group, const QString &key) const
{
    const auto found = m_groups.find(group);
    return found != m_groups.end() && found->second.count(key) != 0;
}

QString KeyFile::raw(const QString &group, const QString &key) const
{
    const auto found = m_groups.find(group);
    if (found == m_groups.end())
        return {};
    const auto entry = found->second.find(key);
    return entry == found->second.end() ? QString() : entry->second;
}

namespace {

QString unescape(const QString &text, bool keepSemicolonEscape)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text.at(++i);
        switch (next.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case ';':
            out += keepSemicolonEscape ? QStringLiteral("\\;") : QStringLiteral(";");
            break;
        default:
            out += next;
            break;
        }
    }
    return out;
}

} // namespace

QString KeyFile::value(const QString &group, const QString &key) const
{
    return unescape(raw(group, key), false);
}

QStringList KeyFile::list(const QString &group, const QString &key) const
{
    const QString text = unescape(raw(group, key), true);
    QStringList items;
    QString item;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\\') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char(';')) {
            item += QLatin1Char(';');
            ++i;
        } else if (text.at(i) == QLatin1Char(';')) {
            items << item;
            item.clear();
        } else {
            item += text.at(i);
        }
    }
    if (!item.isEmpty())
        items << item;
    return items;
}
