#pragma once

#include "app/model/batch_runner.h"
#include "app/ui/non_ascii_question.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>

namespace scrivlet {

class CommentStore;
class FileDrop;
class LibraryUnavailable;
class MainWindow;

/// The comment commands of the main window: Save, Delete, Import, showing a file's comment when
/// its row is chosen, bringing the comment box's mirror up to date for a save, and (through
/// FileDrop) files dropped onto the list.
///
/// Save and Delete over several files let the event loop run while they work; a Save or Delete
/// clicked meanwhile is ignored rather than started inside the running one. What the user changes
/// meanwhile counts for the files not yet handled: a row unticked or cleared is passed over, a row
/// added does not join the run. Escape stops a run after the file in hand and says how far it got;
/// closing the window waits for the file in hand too. Failures reported by the library are shown to
/// the user, never passed off as success.
class CommentFlows : public QObject
{
    Q_OBJECT
public:
    /// Connects to the window's buttons, list and comment box; owned by the window.
    explicit CommentFlows(MainWindow &window);
    ~CommentFlows() override;

    /// Replaces the binding to the comment library (tests point it at a missing one).
    void setStore(std::unique_ptr<CommentStore> store);
    /// How often a run repaints its progress at most; every step when zero.
    void setProgressInterval(std::chrono::milliseconds interval);
    /// Whether a Save or Delete over several files is running.
    bool isRunning() const { return m_running; }
    /// During a run: stops it after the file in hand, then lets the window close once the run has
    /// returned; true. Without a run: false, the window may close now.
    bool deferClose();

    // The handlers, public so tests and the window can run them directly.
    void saveClicked();
    void deleteClicked();
    void importClicked();
    /// Reads the file of view row @p row (a click on the row, or a keyboard move onto it).
    void rowChosen(int row);
    /// Loads a text file into the comment box, with the Import command's checks and messages.
    void openFile(const QString &path);
    /// Replaces the comment box with the comment that the file carries.
    void readFileComment(const QByteArray &path);

protected:
    /// Takes Escape pressed anywhere in the window while a run lets the event loop run.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class RunGuard;

    /// The comment text a save reads: the mirror, brought up to date with the comment box first.
    QString mirroredText();
    /// The replace call's flags that the window's options ask for (kept file dates).
    std::uint32_t replaceFlags() const;
    void saveComments(const QByteArray &path, const QByteArray &text, std::uint32_t flags);
    void batch(const QByteArray &text, std::uint32_t flags);
    /// Applies @p operation to the ticked rows, with progress, and reports how it went.
    void runOverRows(const BatchRunner::Operation &operation, const QString &failure,
                     const QString &consequence);
    QList<BatchTarget> targets() const;
    /// Whether the row a position was taken from is still listed and ticked.
    bool stillWanted(const BatchTarget &target) const;
    void runEnded();
    void reportLibrary(const LibraryUnavailable &error, const QString &consequence);
    void message(const QString &text, bool exclamation);

    MainWindow &m_window;
    std::unique_ptr<CommentStore> m_store;
    BatchRunner m_runner;
    NonAsciiQuestion m_nonAscii;
    FileDrop *m_drop = nullptr;
    bool m_running = false;
    bool m_stopRequested = false;
    bool m_closeAfterRun = false;
    bool m_libraryReportedOnRead = false;
    bool m_mirrorStale = true;
};

} // namespace scrivlet
