#include "app/model/comment_summary.h"

namespace scrivlet {

CommentSummary CommentSummary::of(const QString &text)
{
    CommentSummary summary;
    qsizetype end = 0;
    while (end < text.size() && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
        ++end;
    summary.line = text.left(end);
    // Stored comments break lines with CR LF; a tool tip wants one break per line.
    QString tip = text;
    tip.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    tip.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (tip.size() > TipLength) {
        tip.truncate(TipLength);
        tip.append(QChar(0x2026));
    }
    // Blanks alone make no tip worth showing.
    if (!tip.trimmed().isEmpty())
        summary.tip = tip;
    return summary;
}

} // namespace scrivlet
