#pragma once
// The caption over the bar: the percentage as "45 %" (the searching look says "Gathering Required
// Information"), centred in the bar's font; the dark and glossy looks draw the part over the fill
// in a second colour.
#include "controls/progress_bar/look_context.h"

namespace scrivlet {

class ProgressCaption
{
public:
    explicit ProgressCaption(const LookContext &context) : m_c(context) {}

    // Sets the caption text and, when ShowText is on, draws it.
    void DrawCaption();

    // The caption text for a look at a percentage.
    static QString captionText(ProgressLook look, int percentage);

private:
    void CenterCaption();
    void DrawCoveredCaption();
    bool twoTone() const
    {
        return m_c.props.look == ProgressLook::Dark || m_c.props.look == ProgressLook::Glossy;
    }
    double fillEdge() const;

    LookContext m_c;
};

} // namespace scrivlet
