#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace scrivlet {

// The desktop services the windows call on: message boxes, the open dialog, the folder browser,
// the shell, the busy pointer and one pass of the event loop. The windows only talk to this
// interface, so tests can answer every dialog from a script (ScriptedPlatform) while the program
// shows real ones (QtPlatform).
class Platform
{
public:
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    // Settings of one open dialog. The filter is written in pairs "Description|pattern|...",
    // for example "Text Files (*.txt)|*.txt"; filterIndex is 1-based and picks the pair shown first.
    struct OpenRequest
    {
        QString filter;
        int filterIndex = 1;
        QString fileName;
        QString title;
    };

    // A question with buttons of its own: their captions in `choices`, left to right. Enter
    // presses `defaultChoice`; Escape or closing the box answers `cancelChoice`. With a
    // `checkBox` caption a check box (unticked) stands under the text.
    struct Question
    {
        QString text;
        QString title;
        Icon icon = Icon::Question;
        QStringList choices;
        int defaultChoice = 0;
        int cancelChoice = 0;
        QString checkBox;
    };
    struct QuestionAnswer
    {
        int choice = 0;       // index into Question::choices
        bool checked = false; // the check box's state when the box closed
    };

    virtual ~Platform() = default;

    // A modal message box; returns the button the user pressed.
    virtual Answer messageBox(const QString &text, const QString &title, Icon icon, Buttons buttons) = 0;

    // A modal question box; the button the user pressed and whether the check box was ticked.
    virtual QuestionAnswer ask(const Question &question) = 0;

    // A modal open dialog; the chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(const OpenRequest &request) = 0;

    // A modal folder browser showing `title` and starting at `startFolder`; the chosen folder's path,
    // or nothing when cancelled. A file-system root comes back with its separator ("/"), any
    // other folder without a trailing one.
    virtual std::optional<QString> browseForFolder(const QString &title, const QString &startFolder) = 0;

    // Hands an address (a web page, a file URL) to the desktop's default handler; false when
    // nothing could open it.
    virtual bool openUrl(const QString &address) = 0;

    // Shows (true) or removes (false) the busy pointer over the whole program.
    virtual void setBusyCursor(bool busy) = 0;

    // Lets the event loop handle pending input and repaints once.
    virtual void processEvents() = 0;
};

} // namespace scrivlet
