#include "app/model/editor_text.h"

#include "core/comment_text.h"

namespace scrivlet {

using CoreText = scrivlet::core::CommentText;

QString EditorText::shownText(const QString &storedText)
{
    return QString::fromUtf8(CoreText::shownText(storedText.toUtf8().toStdString()));
}

QString EditorText::storedText(const QString &editorText)
{
    return QString::fromUtf8(CoreText::storedText(editorText.toUtf8().toStdString()));
}

} // namespace scrivlet
