#pragma once

#include <QString>

namespace scrivlet {

/// What the file list's Comment column shows of a comment: its first line in the cell, and the
/// start of the whole text as the row's tool tip.
struct CommentSummary
{
    /// The most characters of the comment a tool tip shows.
    static constexpr qsizetype TipLength = 300;

    QString line; ///< up to the first line break (CR or LF)
    QString tip;  ///< at most TipLength characters of the text, an ellipsis after them when cut

    static CommentSummary of(const QString &text);

    bool operator==(const CommentSummary &) const = default;
};

} // namespace scrivlet
