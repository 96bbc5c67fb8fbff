#include "app/model/batch_outcome.h"

namespace scrivlet {

void BatchOutcome::record(const QByteArray &path, int status)
{
    ++m_handled;
    if (status == 0)
        return;
    ++m_failed;
    if (m_firstFailures.size() < KeptFailures)
        m_firstFailures.append({path, status});
}

void BatchOutcome::stop(int left)
{
    m_stopped = true;
    m_left = left;
}

} // namespace scrivlet
