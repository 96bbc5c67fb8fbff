#pragma once
// A window for the comment flows without a single widget: it holds the comment as a string, the
// list as a bare model, and records what the flows show, so that the flows' decisions can be
// checked without building the real window.

#include "app/model/file_list_model.h"
#include "app/ui/window_view.h"
#include "tests/support/scripted_platform.h"

#include <vector>

namespace scrivlet {

class FakeWindowView : public WindowView
{
public:
    // One progress report: done of total.
    struct Step
    {
        int done;
        int total;
        bool operator==(const Step &) const = default;
    };

    Platform &platform() const override { return m_platform; }
    const FileListModel &files() const override { return m_files; }
    bool keepFileDates() const override { return m_keepDates; }

    bool commentIsEmpty() const override { return m_comment.isEmpty(); }
    QString comment() override { return m_comment; }
    void showComment(const QString &text) override
    {
        m_comment = text;
        ++m_fills;
    }
    void commentSaved() override { ++m_saved; }

    void beginProgress(int total) override
    {
        m_progressTotal = total;
        m_steps.clear();
    }
    void showProgress(int done, int total) override { m_steps.push_back({done, total}); }
    void setRunning(bool running) override
    {
        m_running = running;
        ++m_runningChanges;
    }
    void showRunSummary(const QString &text, int milliseconds) override
    {
        m_summaries.append(text);
        m_summaryMilliseconds = milliseconds;
    }
    void refreshSizes(const QByteArrayList &paths) override { m_refreshed += paths; }
    void closeWindow() override { ++m_closed; }

    // The user's side.
    mutable ScriptedPlatform m_platform;
    FileListModel m_files;
    bool m_keepDates = false;
    QString m_comment;

    // What the flows did.
    int m_fills = 0;
    int m_saved = 0;          // times the comment was reported stored
    int m_progressTotal = -1; // no run began
    std::vector<Step> m_steps;
    bool m_running = false;
    int m_runningChanges = 0;
    QStringList m_summaries;
    int m_summaryMilliseconds = 0;
    QByteArrayList m_refreshed;
    int m_closed = 0;
};

} // namespace scrivlet
