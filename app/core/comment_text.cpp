#include "app/core/comment_text.h"

QString CommentText::shownText(const QString &storedText)
{
    QString text = storedText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString CommentText::storedText(const QString &editorText)
{
    return shownText(editorText).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

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
