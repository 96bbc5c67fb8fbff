#include "app/core/comment_text.h"

#include "core/comment_text.h"

using CoreText = scrivlet::core::CommentText;

QString CommentText::shownText(const QString &storedText)
{
    return QString::fromUtf8(CoreText::shownText(storedText.toUtf8().toStdString()));
}

QString CommentText::storedText(const QString &editorText)
{
    return QString::fromUtf8(CoreText::storedText(editorText.toUtf8().toStdString()));
}
