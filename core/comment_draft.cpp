#include "core/comment_draft.h"

#include "core/comment_text.h"
#include "library/src/comment_block.h"
#include "scrivlet.h"

namespace scrivlet::core {

const std::size_t CommentDraft::maxBytes = SCRIVLET_MAX_TEXT - comment_block::kMinBlockSize;

CommentDraft CommentDraft::prepare(std::string_view input, Source source, bool utf8)
{
    if (source == Source::TextFile) {
        // A text file commented before (say, by `set -F notes.txt *.txt`) gives its own content.
        if (const auto block = comment_block::locateBlock(input))
            input = input.substr(0, block->start);
    }
    if (source != Source::Argument)
        input = CommentText::withoutFinalLineBreak(input);

    CommentDraft draft;
    CommentText::Filtered filtered = CommentText::filter(input, utf8);
    draft.m_filteredText = std::move(filtered.kept);
    draft.m_droppedCharacters = filtered.droppedCharacters;
    if (draft.m_filteredText.size() > maxBytes)
        draft.m_refusal = Refusal::TooLong;
    else if (!comment_block::readsBackExactly(draft.m_filteredText))
        draft.m_refusal = Refusal::Marker;
    return draft;
}

} // namespace scrivlet::core
