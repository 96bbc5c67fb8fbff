#include "app/model/program_arguments.h"

#include <QFile>

namespace scrivlet {

namespace {

// A file:// address's path as bytes ("file:///a%20b" -> "/a b", also with the host "localhost");
// anything else comes back unchanged and is passed over later as a drop passes over a missing item.
QByteArray localPath(const QByteArray &argument)
{
    static const QByteArray scheme("file://");
    if (!argument.startsWith(scheme))
        return argument;
    QByteArray rest = argument.mid(scheme.size());
    if (rest.startsWith("localhost/"))
        rest = rest.mid(9);
    if (!rest.startsWith('/'))
        return argument; // another machine's file
    return QByteArray::fromPercentEncoding(rest);
}

// Absolute, without "." segments and doubled slashes; ".." is left to the file system, which
// knows where a symbolic link leads.
QByteArray absolutePath(const QByteArray &path, const QByteArray &currentFolder)
{
    const QByteArray joined = path.startsWith('/') ? path : currentFolder + '/' + path;
    QByteArray clean;
    for (const QByteArray &segment : joined.split('/')) {
        if (segment.isEmpty() || segment == ".")
            continue;
        clean += '/' + segment;
    }
    return clean.isEmpty() ? QByteArray("/") : clean;
}

} // namespace

ProgramArguments ProgramArguments::parse(const QList<QByteArray> &arguments, const QByteArray &currentFolder)
{
    ProgramArguments result;
    auto fail = [&result](const QString &message) {
        result.m_action = Action::Error;
        result.m_error = message;
        result.m_paths.clear();
        result.m_scale = 0;
        return result;
    };
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith('-') || argument == "-") {
            if (!argument.isEmpty())
                result.m_paths << absolutePath(localPath(argument), currentFolder);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            result.m_action = Action::Help;
            return result;
        } else if (argument == "--version" || argument == "-v") {
            result.m_action = Action::Version;
            return result;
        } else if (argument == "--screenshot") {
            if (i + 1 >= arguments.size())
                return fail(QStringLiteral("option '--screenshot' needs a file name"));
            result.m_screenshotFile = QFile::decodeName(arguments.at(++i));
        } else if (argument.startsWith("--screenshot=")) {
            result.m_screenshotFile = QFile::decodeName(argument.mid(13));
        } else if (argument == "--scale" || argument.startsWith("--scale=")) {
            QByteArray value;
            if (argument == "--scale") {
                if (i + 1 >= arguments.size())
                    return fail(QStringLiteral("option '--scale' needs a factor"));
                value = arguments.at(++i);
            } else {
                value = argument.mid(8);
            }
            bool ok = false;
            result.m_scale = value.toDouble(&ok);
            if (!ok || !(result.m_scale > 0) || result.m_scale > 8)
                return fail(QStringLiteral("option '--scale' needs a factor above 0 and at most 8"));
        } else {
            return fail(QStringLiteral("unknown option '%1'").arg(QString::fromLocal8Bit(argument)));
        }
    }
    return result;
}

QString ProgramArguments::usage()
{
    return QStringLiteral(
        "Usage: scrivlet [FILE|FOLDER]...\n"
        "       scrivlet --screenshot IMAGE [FILE|FOLDER]...\n"
        "\n"
        "Attaches a free-text comment to files, inside the files themselves.\n"
        "\n"
        "The files and folders given are listed in the window as if they had been dropped on it:\n"
        "a folder adds its files (and those of its sub-folders when \"Process Sub-Folders\" is\n"
        "ticked), and paths that do not exist are passed over. A file:// address names the local\n"
        "file it points to.\n"
        "\n"
        "Options:\n"
        "      --screenshot IMAGE  save a picture of the window to IMAGE and exit\n"
        "      --scale FACTOR      draw the window at FACTOR times its pixels (2 for 2x)\n"
        "  -h, --help              show this help\n"
        "  -v, --version           show the version\n"
        "      --                  take every further argument as a file or folder\n");
}

} // namespace scrivlet
