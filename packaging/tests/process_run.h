#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

/// Runs a program to its end (at most a minute) and keeps what it printed.
struct ProcessRun
{
    int exitCode = -1; ///< -1 when it did not start, crashed or hung
    QByteArray out;
    QByteArray err;

    static ProcessRun run(const QString &program, const QStringList &arguments,
                          const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                          const QString &folder = {});
    /// The program's full path when it is on PATH, else empty.
    static QString find(const QString &program);
};
