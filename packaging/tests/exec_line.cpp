#include "packaging/tests/exec_line.h"

std::optional<QStringList> splitExecLine(const QString &exec)
{
    static const QString reserved = QStringLiteral("\t\n'\\><~|&;$*?#()`");
    static const QString escapable = QStringLiteral("\"`$\\");
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\')) {
                if (i + 1 == exec.size() || !escapable.contains(exec.at(i + 1)))
                    return std::nullopt;
                current += exec.at(++i);
            } else {
                current += c;
            }
        } else if (c == QLatin1Char(' ')) {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inArgument = true;
        } else if (reserved.contains(c)) {
            return std::nullopt;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments << current;
    return arguments;
}
