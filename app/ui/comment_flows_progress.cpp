#include "app/ui/comment_flows_progress.h"

#include "app/model/batch_progress.h"
#include "controls/progress_bar/xp_progress_bar.h"

#include <QLabel>

namespace scrivlet {

CommentFlowsProgress::CommentFlowsProgress(XP_ProgressBar &bar, QLabel &label) : m_bar(bar), m_label(label)
{}

void CommentFlowsProgress::begin(int total)
{
    m_bar.setVisible(true);
    m_bar.setMaximum(total);
    m_bar.setValue(0);
}

void CommentFlowsProgress::report(int done, int total)
{
    m_label.setVisible(true);
    m_bar.setVisible(true);
    m_label.setText(QString::number(BatchProgress::percent(done, total)) + QLatin1Char('%'));
    m_bar.setColor(RunColor);
    m_bar.setValue(done);
}

} // namespace scrivlet
