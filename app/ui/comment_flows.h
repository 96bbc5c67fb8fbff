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
class LibraryUnavailable;
class WindowView;

/// The comment commands of a window: Save, Delete, Import and showing a file's comment when its
/// row is chosen. They work the window only through WindowView; the window wires its buttons and
/// list to the handlers.
///
/// Save and Delete over several files let the event loop run while they work; a Save or Delete
/// clicked meanwhile is ignored rather than started inside the running one. What the user changes
/// meanwhile counts for the files not yet handled: a row unticked or cleared is passed over, a row
/// added does not join the run. Escape (passed on by the window) stops a run after the file in hand and says
/// how far it got; closing the window waits for the file in hand too. Failures reported by the library are
/// shown to the user, never passed off as success.
class CommentFlows : public QObject
{
    Q_OBJECT
public:
    /// Works @p view, which must outlive the flows (the window is usually their parent too).
    CommentFlows(WindowView &view, QObject *parent);
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
    /// Stops a running Save or Delete after the file in hand (Escape); nothing without a run.
    void requestStop();

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

private:
    class RunGuard;

    /// The replace call's flags that the window's options ask for (kept file dates).
    std::uint32_t replaceFlags() const;
    void saveComments(const QByteArray &path, const QByteArray &text, std::uint32_t flags);
    void batch(const QByteArray &text, std::uint32_t flags);
    /// Applies @p operation to the ticked rows, with progress, and reports how it went; true when
    /// it ran to its end without a failure.
    /// @p summary begins the status text that counts the files handled without a failure.
    bool runOverRows(const BatchRunner::Operation &operation, const QString &failure,
                     const QString &consequence, const QString &summary);
    /// Whether no listed row is ticked; says so when none is.
    bool noneTicked();
    QList<BatchTarget> targets() const;
    /// Whether the row a position was taken from is still listed and ticked.
    bool stillWanted(const BatchTarget &target) const;
    void runEnded();
    void reportLibrary(const LibraryUnavailable &error, const QString &consequence);
    void message(const QString &text, bool exclamation);

    WindowView &m_view;
    std::unique_ptr<CommentStore> m_store;
    BatchRunner m_runner;
    NonAsciiQuestion m_nonAscii;
    bool m_running = false;
    bool m_stopRequested = false;
    bool m_closeAfterRun = false;
    bool m_libraryReportedOnRead = false;
};

} // namespace scrivlet
