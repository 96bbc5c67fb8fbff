#pragma once

#include "app/platform/platform.h"

#include <deque>
#include <functional>
#include <vector>

namespace scrivlet {

// A Platform for tests: every dialog is answered from queues filled beforehand, and every call is
// recorded with its arguments so a test can check what the user would have seen.
// With an empty queue a message box answers Ok (OK box) or No (Yes/No box), a question its cancel
// choice with the check box unticked, and the open dialog and folder browser are cancelled.
class ScriptedPlatform : public Platform
{
public:
    enum class Kind { MessageBox, Question, OpenFile, BrowseForFolder, OpenUrl, BusyCursor, ProcessEvents };

    // One recorded call; only the fields of its kind are filled.
    struct Call
    {
        Kind kind = Kind::MessageBox;
        QString text;  // message text, folder-browser title, web address
        QString title; // message box title
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        Question question;   // Question
        OpenRequest open;    // OpenFile
        QString startFolder; // BrowseForFolder
        bool busy = false;   // BusyCursor
    };

    void queueAnswer(Answer answer);
    void queueQuestionAnswer(int choice, bool checked = false);
    void queueOpenFile(std::optional<QString> path);
    void queueFolder(std::optional<QString> folder);
    // What openUrl answers from now on: true (opened, the default) or false (nothing could open it).
    void setUrlsOpen(bool open) { m_urlsOpen = open; }

    // Runs `hook` inside every processEvents() call (after recording it), for example to click a
    // button while a long loop lets the event loop run.
    void setProcessEventsHook(std::function<void()> hook);

    const std::vector<Call> &calls() const { return m_calls; }
    std::vector<Call> calls(Kind kind) const;
    // The recorded message boxes only.
    std::vector<Call> messages() const { return calls(Kind::MessageBox); }
    void clearCalls() { m_calls.clear(); }
    // The queued answers that were never asked for.
    std::size_t pendingAnswers() const
    {
        return m_answers.size() + m_questionAnswers.size() + m_files.size() + m_folders.size();
    }

    Answer messageBox(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    QuestionAnswer ask(const Question &question) override;
    std::optional<QString> openFile(const OpenRequest &request) override;
    std::optional<QString> browseForFolder(const QString &title, const QString &startFolder) override;
    bool openUrl(const QString &address) override;
    void setBusyCursor(bool busy) override;
    void processEvents() override;

private:
    std::vector<Call> m_calls;
    std::deque<Answer> m_answers;
    std::deque<QuestionAnswer> m_questionAnswers;
    std::deque<std::optional<QString>> m_files;
    std::deque<std::optional<QString>> m_folders;
    std::function<void()> m_processEventsHook;
    bool m_urlsOpen = true;
};

} // namespace scrivlet
