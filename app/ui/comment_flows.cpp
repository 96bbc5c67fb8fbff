#include "app/ui/comment_flows.h"

#include "app/model/batch_report.h"
#include "app/model/comment_import.h"
#include "app/model/comment_store.h"
#include "app/model/editor_text.h"
#include "app/model/file_list_model.h"
#include "app/platform/platform.h"
#include "app/ui/product_texts.h"
#include "app/ui/window_view.h"
#include "core/comment_draft.h"
#include "scrivlet.h"

namespace scrivlet {

namespace {

const QString kTitle = QString::fromLatin1(ProductTexts::kTitle);

// How long the status bar says how a run ended before it shows the file count again.
constexpr int kSummaryMilliseconds = 4000;

// "<done> 1 file." or "<done> N files."
QString doneText(const QString &done, int files)
{
    return QStringLiteral("%1 %2 %3.")
        .arg(done)
        .arg(files)
        .arg(files == 1 ? QLatin1String("file") : QLatin1String("files"));
}

} // namespace

// Marks a run for its whole duration, however it ends; the window watches for Escape meanwhile.
class CommentFlows::RunGuard
{
public:
    explicit RunGuard(CommentFlows &flows) : m_flows(flows)
    {
        m_flows.m_running = true;
        m_flows.m_stopRequested = false;
        m_flows.m_view.setRunning(true);
    }
    ~RunGuard()
    {
        m_flows.m_view.setRunning(false);
        m_flows.runEnded();
    }
    RunGuard(const RunGuard &) = delete;
    RunGuard &operator=(const RunGuard &) = delete;

private:
    CommentFlows &m_flows;
};

CommentFlows::CommentFlows(WindowView &view, QObject *parent)
    : QObject(parent), m_view(view), m_store(std::make_unique<CommentStore>()), m_nonAscii(view.platform())
{
    setObjectName(QStringLiteral("commentFlows"));
}

CommentFlows::~CommentFlows() = default;

void CommentFlows::setStore(std::unique_ptr<CommentStore> store)
{
    m_store = std::move(store);
    m_libraryReportedOnRead = false;
}

void CommentFlows::setProgressInterval(std::chrono::milliseconds interval)
{
    m_runner = BatchRunner(interval);
}

std::uint32_t CommentFlows::replaceFlags() const
{
    return m_view.keepFileDates() ? SCRIVLET_REPLACE_KEEP_TIMES : 0u;
}

void CommentFlows::saveClicked()
{
    // The event-loop passes of a running save or delete let this click through; a second run
    // inside the first would interleave their files and progress.
    if (m_running)
        return;
    if (m_view.commentIsEmpty()) {
        m_view.platform().messageBox(QStringLiteral("Please enter comments."), kTitle,
                                     Platform::Icon::Information, Platform::Buttons::Ok);
        return;
    }
    const int rows = m_view.files().count();
    if (rows == 0) {
        message(QStringLiteral("No file available to add comments."), true);
        return;
    }
    // Several rows are saved by their ticks; a single row is saved ticked or not.
    if (rows >= 2 && noneTicked())
        return;
    const QString comment = EditorText::storedText(m_view.comment());
    bool utf8 = false;
    if (NonAsciiQuestion::concerns(comment)) {
        switch (m_nonAscii.ask(comment)) {
        case NonAsciiQuestion::Choice::StoreUtf8:
            utf8 = true;
            break;
        case NonAsciiQuestion::Choice::Drop:
            break;
        case NonAsciiQuestion::Choice::Cancel:
            return;
        }
    }
    // The bytes the library will keep, checked here by the same rules as scriv's, so that a
    // refusal comes once, before any file is touched, instead of once per file.
    using scrivlet::core::CommentDraft;
    const CommentDraft draft =
        CommentDraft::prepare(comment.toUtf8().toStdString(), CommentDraft::Source::Argument, utf8);
    switch (draft.refusal()) {
    case CommentDraft::Refusal::TooLong:
        message(QStringLiteral("The comment is too long to be saved: %1 bytes, at most %2.")
                    .arg(draft.text().size())
                    .arg(CommentDraft::maxBytes),
                true);
        return;
    case CommentDraft::Refusal::Marker:
        message(QStringLiteral("The comment cannot be saved: it contains \"" SCRIVLET_START_MARKER
                               "\" or \"" SCRIVLET_END_MARKER "\", or begins with \".START.#\", so it "
                               "would not read back as written. No file was changed."),
                true);
        return;
    case CommentDraft::Refusal::None:
        break;
    }
    const QByteArray text = QByteArray::fromStdString(draft.text());
    // For the whole run, as it started.
    const std::uint32_t flags = replaceFlags() | (utf8 ? SCRIVLET_REPLACE_UTF8 : 0U);
    if (rows >= 2)
        batch(text, flags);
    else
        saveComments(m_view.files().pathAt(1), text, flags);
}

void CommentFlows::saveComments(const QByteArray &path, const QByteArray &text, std::uint32_t flags)
{
    const RunGuard guard(*this);
    try {
        // One change: the old comment stays unless the new one is written whole.
        const int status = m_store->replace(path, text, flags);
        m_view.refreshSizes({path});
        if (status != SCRIVLET_OK) {
            message(BatchReport::single(QStringLiteral("Comments could not be saved to"), path, status),
                    true);
            return;
        }
    } catch (const LibraryUnavailable &error) {
        reportLibrary(error, QStringLiteral("No comment was saved."));
        return;
    }
    m_view.commentSaved();
    m_view.platform().messageBox(QStringLiteral("Comments saved successfully."), kTitle,
                                 Platform::Icon::Information, Platform::Buttons::Ok);
}

void CommentFlows::batch(const QByteArray &text, std::uint32_t flags)
{
    if (runOverRows([&](const QByteArray &path) { return m_store->replace(path, text, flags); },
                    QStringLiteral("Comments could not be saved to"), QStringLiteral("No comment was saved."),
                    QStringLiteral("Comment saved to")))
        m_view.commentSaved();
}

void CommentFlows::deleteClicked()
{
    if (m_running)
        return;
    Platform &platform = m_view.platform();
    if (m_view.files().count() == 0) {
        platform.messageBox(QStringLiteral(" Please open at least one file and try again."),
                            QStringLiteral("Error"), Platform::Icon::Exclamation, Platform::Buttons::Ok);
        return;
    }
    // Delete always goes by the ticks, one row or several.
    if (noneTicked())
        return;
    if (platform.messageBox(QStringLiteral("Do you want to delete the comments?"), kTitle,
                            Platform::Icon::None, Platform::Buttons::YesNo) != Platform::Answer::Yes)
        return;
    const std::uint32_t flags = replaceFlags() | SCRIVLET_REPLACE_REMOVE; // for the whole run
    runOverRows(
        [&](const QByteArray &path) {
            const int status = m_store->replace(path, {}, flags);
            if (!m_view.commentIsEmpty())
                m_view.showComment(QString());
            return status;
        },
        QStringLiteral("Comments could not be deleted from"), QStringLiteral("No comment was deleted."),
        QStringLiteral("Comments deleted from"));
}

bool CommentFlows::runOverRows(const BatchRunner::Operation &operation, const QString &failure,
                               const QString &consequence, const QString &summary)
{
    // The positions are taken now, each with its row's identity: rows added during the run's
    // event-loop passes do not join it and cannot shift it onto other files, and the progress
    // counts the rows there were at the start.
    const QList<BatchTarget> list = targets();
    const RunGuard guard(*this);
    m_view.beginProgress(static_cast<int>(list.size()));
    QByteArrayList handled; // their sizes change
    try {
        const BatchOutcome outcome = m_runner.run(
            list, [this](const BatchTarget &target) { return stillWanted(target); },
            [&](const QByteArray &path) {
                handled.append(path);
                return operation(path);
            },
            [&](int done, int total) {
                m_view.showProgress(done, total);
                // The window repaints and takes the user's clicks and keys between files.
                m_view.platform().processEvents();
                return !m_stopRequested;
            });
        m_view.refreshSizes(handled);
        if (!outcome.stopped())
            m_view.showRunSummary(doneText(summary, outcome.succeeded()), kSummaryMilliseconds);
        const QString failures = BatchReport::summary(failure, outcome);
        if (outcome.stopped() && !m_closeAfterRun) {
            // Stopped by the user, who wants to know how far it got.
            const QString stopped = BatchReport::stopped(outcome);
            message(failures.isEmpty() ? stopped : stopped + QStringLiteral("\n\n") + failures,
                    !failures.isEmpty());
        } else if (!failures.isEmpty()) {
            message(failures, true);
        }
        return failures.isEmpty() && !outcome.stopped();
    } catch (const LibraryUnavailable &error) {
        reportLibrary(error, consequence);
        return false;
    }
}

QList<BatchTarget> CommentFlows::targets() const
{
    const FileListModel &model = m_view.files();
    QList<BatchTarget> list;
    list.reserve(model.count());
    for (int position = 1; position <= model.count(); ++position)
        list.append({model.pathAt(position), model.idAt(position)});
    return list;
}

bool CommentFlows::stillWanted(const BatchTarget &target) const
{
    const FileListModel &model = m_view.files();
    const int position = model.positionOf(target.row);
    return position > 0 && model.isCheckedAt(position);
}

bool CommentFlows::deferClose()
{
    if (!m_running)
        return false;
    m_stopRequested = true;
    m_closeAfterRun = true;
    return true;
}

void CommentFlows::requestStop()
{
    if (m_running)
        m_stopRequested = true;
}

void CommentFlows::runEnded()
{
    m_running = false;
    if (!m_closeAfterRun)
        return;
    m_closeAfterRun = false;
    // Closed from the window's own event loop once this handler has returned: the run's handler
    // may still be on the stack of a button's or the list's event.
    QMetaObject::invokeMethod(
        this, [this] { m_view.closeWindow(); }, Qt::QueuedConnection);
}

void CommentFlows::rowChosen(int row)
{
    readFileComment(m_view.files().pathAt(row + 1));
}

void CommentFlows::readFileComment(const QByteArray &path)
{
    try {
        // Room for the largest comment the library writes, so every saved comment reads whole.
        const CommentReadResult result = m_store->read(path, EditorText::ReadCapacity);
        // Empty, not the file before's, when a message about this one comes.
        m_view.showComment(result.status == SCRIVLET_OK ? result.text : QString());
        if (result.status != SCRIVLET_OK && result.status != SCRIVLET_E_NOENT) // a vanished file has none
            message(BatchReport::single(QStringLiteral("The comment could not be read from"), path,
                                        result.status),
                    true);
    } catch (const LibraryUnavailable &error) {
        m_view.showComment(QString());
        // Once is enough: every further click would fail the same way.
        if (!m_libraryReportedOnRead)
            reportLibrary(error, QStringLiteral("Comments cannot be shown."));
        m_libraryReportedOnRead = true;
    }
}

void CommentFlows::importClicked()
{
    Platform::OpenRequest request;
    request.filter = QStringLiteral("Text Files (*.txt)|*.txt|All files (*.*)|*.*");
    request.filterIndex = 1;
    request.fileName = QString();
    request.title = QStringLiteral("Import");
    const std::optional<QString> path = m_view.platform().openFile(request);
    if (path)
        openFile(*path);
}

void CommentFlows::openFile(const QString &path)
{
    Platform &platform = m_view.platform();
    CommentImport import(path);
    if (!import.open()) {
        message(QStringLiteral("Can't open file: ") + path, true);
        return;
    }
    platform.setBusyCursor(true);
    std::optional<QString> text;
    if (!import.tooLarge())
        text = import.readText();
    if (!text) {
        platform.setBusyCursor(false);
        if (import.tooLarge())
            platform.messageBox(QStringLiteral("Invalid file size."), QStringLiteral("65 KB Limit"),
                                Platform::Icon::Exclamation, Platform::Buttons::Ok);
        else
            message(QStringLiteral("Can't open file: ") + path, true);
        return;
    }
    platform.processEvents();
    m_view.showComment(*text);
    platform.setBusyCursor(false);
}

bool CommentFlows::noneTicked()
{
    if (!m_view.files().checkedPositions().isEmpty())
        return false;
    // Else the run would pass over every file and look like a success.
    message(QStringLiteral("No file is ticked."), true);
    return true;
}

void CommentFlows::reportLibrary(const LibraryUnavailable &error, const QString &consequence)
{
    message(QStringLiteral("The comment library is not available: %1\n\n%2")
                .arg(QString::fromLocal8Bit(error.what()), consequence),
            true);
}

void CommentFlows::message(const QString &text, bool exclamation)
{
    m_view.platform().messageBox(text, kTitle,
                                 exclamation ? Platform::Icon::Exclamation : Platform::Icon::Information,
                                 Platform::Buttons::Ok);
}

} // namespace scrivlet
