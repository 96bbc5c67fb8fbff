#include "tests/support/scripted_platform.h"

#include <utility>

namespace scrivlet {

namespace {

// The first queued answer, or "cancelled" when none is left. Unwrapped into a plain QString first:
// copying a std::optional<QString> out of the queue trips a false uninitialised-use warning of GCC.
std::optional<QString> takeFront(std::deque<std::optional<QString>> &queue)
{
    if (queue.empty() || !queue.front().has_value()) {
        if (!queue.empty())
            queue.pop_front();
        return std::nullopt;
    }
    QString value = *queue.front();
    queue.pop_front();
    return value;
}

} // namespace

void ScriptedPlatform::queueAnswer(Answer answer)
{
    m_answers.push_back(answer);
}

void ScriptedPlatform::queueQuestionAnswer(int choice, bool checked)
{
    m_questionAnswers.push_back({choice, checked});
}

void ScriptedPlatform::queueOpenFile(std::optional<QString> path)
{
    m_files.push_back(std::move(path));
}

void ScriptedPlatform::queueFolder(std::optional<QString> folder)
{
    m_folders.push_back(std::move(folder));
}

void ScriptedPlatform::setProcessEventsHook(std::function<void()> hook)
{
    m_processEventsHook = std::move(hook);
}

std::vector<ScriptedPlatform::Call> ScriptedPlatform::calls(Kind kind) const
{
    std::vector<Call> picked;
    for (const Call &call : m_calls) {
        if (call.kind == kind)
            picked.push_back(call);
    }
    return picked;
}

Platform::Answer ScriptedPlatform::messageBox(const QString &text, const QString &title, Icon icon,
                                              Buttons buttons)
{
    Call call;
    call.kind = Kind::MessageBox;
    call.text = text;
    call.title = title;
    call.icon = icon;
    call.buttons = buttons;
    m_calls.push_back(call);
    if (m_answers.empty())
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

Platform::QuestionAnswer ScriptedPlatform::ask(const Question &question)
{
    Call call;
    call.kind = Kind::Question;
    call.text = question.text;
    call.title = question.title;
    call.icon = question.icon;
    call.question = question;
    m_calls.push_back(call);
    if (m_questionAnswers.empty())
        return {question.cancelChoice, false};
    const QuestionAnswer answer = m_questionAnswers.front();
    m_questionAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPlatform::openFile(const OpenRequest &request)
{
    Call call;
    call.kind = Kind::OpenFile;
    call.open = request;
    m_calls.push_back(call);
    return takeFront(m_files);
}

std::optional<QString> ScriptedPlatform::browseForFolder(const QString &title, const QString &startFolder)
{
    Call call;
    call.kind = Kind::BrowseForFolder;
    call.text = title;
    call.startFolder = startFolder;
    m_calls.push_back(call);
    return takeFront(m_folders);
}

bool ScriptedPlatform::openUrl(const QString &address)
{
    Call call;
    call.kind = Kind::OpenUrl;
    call.text = address;
    m_calls.push_back(call);
    return m_urlsOpen;
}

void ScriptedPlatform::setBusyCursor(bool busy)
{
    Call call;
    call.kind = Kind::BusyCursor;
    call.busy = busy;
    m_calls.push_back(call);
}

void ScriptedPlatform::processEvents()
{
    Call call;
    call.kind = Kind::ProcessEvents;
    m_calls.push_back(call);
    if (m_processEventsHook)
        m_processEventsHook();
}

} // namespace scrivlet
