#include "app/core/comment_text.h"

QString CommentText::blockText(const QString &comment)
{
    return QLatin1String(StartMarker) + comment + QLatin1String(EndMarker);
}

qsizetype CommentText::blockBytes(const QString &blockText)
{
    return blockText.toLocal8Bit().size();
}

bool CommentText::fitsLibrary(const QString &blockText)
{
    return blockBytes(blockText) <= MaxBlockBytes;
}
