#pragma once

#include <QByteArrayList>
#include <QString>

namespace scrivlet {

class FileListModel;
class Platform;

/// What the comment commands need from a window, and no more: the comment being written, the
/// listed files with their ticks, the progress of a run and its outcome. The window owns its
/// controls; the commands see none of them. MainWindow implements it; tests use a small fake.
class WindowView
{
public:
    virtual ~WindowView() = default;

    /// Answers every dialog: messages, questions, the open dialog, the busy cursor, event-loop passes.
    virtual Platform &platform() const = 0;
    /// The listed files: their paths, row identities and ticks.
    virtual const FileListModel &files() const = 0;
    /// Whether Save and Delete keep the files' access and modification times.
    virtual bool keepFileDates() const = 0;

    /// Whether the comment box is empty.
    virtual bool commentIsEmpty() const = 0;
    /// The comment as the user wrote it, lines separated by LF.
    virtual QString comment() = 0;
    /// Replaces the comment box's text with a file's comment or an imported text. Text the user
    /// typed since the box was last filled or saved stays within one undo step.
    virtual void showComment(const QString &text) = 0;
    /// The comment in the box is now stored in the files: it is no draft to keep.
    virtual void commentSaved() = 0;

    /// A run over @p total files begins: the progress shows none done.
    virtual void beginProgress(int total) = 0;
    /// @p done of the run's @p total files are handled.
    virtual void showProgress(int done, int total) = 0;
    /// A Save or Delete over several files starts (true) or has ended (false). While it runs, the
    /// window passes Escape on as a request to stop.
    virtual void setRunning(bool running) = 0;
    /// Shows @p text in place of the status text for @p milliseconds: how a run over several
    /// files ended.
    virtual void showRunSummary(const QString &text, int milliseconds) = 0;
    /// The sizes of these files changed.
    virtual void refreshSizes(const QByteArrayList &paths) = 0;
    /// Closes the window (a close deferred until a run had returned).
    virtual void closeWindow() = 0;

protected:
    WindowView() = default;
    WindowView(const WindowView &) = default;
    WindowView &operator=(const WindowView &) = default;
};

} // namespace scrivlet
