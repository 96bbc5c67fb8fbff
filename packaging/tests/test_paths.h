#pragma once

#include <QString>

/// Where the packaging tests find the sources and this build's outputs.
inline QString sourcePath(const QString &relative)
{
    return QStringLiteral(SCRIVLET_SOURCE_DIR "/") + relative;
}

inline QString buildPath(const QString &relative)
{
    return QStringLiteral(SCRIVLET_BUILD_DIR "/") + relative;
}
