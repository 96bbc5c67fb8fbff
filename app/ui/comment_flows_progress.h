#pragma once

class QLabel;

namespace scrivlet {

class XP_ProgressBar;

/// Shows how far a save or delete run has come: the progress bar's Max and Value in files, and
/// the percentage label.
class CommentFlowsProgress
{
public:
    /// The bar colour while a run reports progress: pure green (0x00BBGGRR).
    static constexpr unsigned RunColor = 0x00FF00;

    CommentFlowsProgress(XP_ProgressBar &bar, QLabel &label);

    /// Shows the bar at the start of a run over @p total positions.
    void begin(int total);
    /// Shows that @p done of @p total positions are handled.
    void report(int done, int total);

private:
    XP_ProgressBar &m_bar;
    QLabel &m_label;
};

} // namespace scrivlet
