#pragma once

class QLabel;

namespace scrivlet {

class Platform;
class XP_ProgressBar;

/// Shows how far a save or delete run has come: the progress bar's Max and Value in files, and
/// the percentage label; each report then lets the event loop run once so the window repaints
/// and stays usable.
class CommentFlowsProgress
{
public:
    /// The bar colour while a run reports progress: pure green (0x00BBGGRR).
    static constexpr unsigned RunColor = 0x00FF00;

    CommentFlowsProgress(XP_ProgressBar &bar, QLabel &label, Platform &platform);

    /// Shows the bar at the start of a run over @p total positions.
    void begin(int total);
    /// Shows that @p done of @p total positions are handled, then lets the event loop run.
    void report(int done, int total);

private:
    XP_ProgressBar &m_bar;
    QLabel &m_label;
    Platform &m_platform;
};

} // namespace scrivlet
