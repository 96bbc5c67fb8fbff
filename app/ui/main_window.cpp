#include "app/ui/main_window.h"

#include "app/model/dropped_items.h"
#include "app/model/file_list_model.h"
#include "app/model/file_path.h"
#include "app/model/folder_rows.h"
#include "app/model/user_settings.h"
#include "app/platform/platform.h"
#include "app/ui/about_window.h"
#include "app/ui/app_icon.h"
#include "app/ui/comment_flows.h"
#include "app/ui/comment_flows_progress.h"
#include "app/ui/file_drop.h"
#include "app/ui/file_list_view.h"
#include "app/ui/form_builder.h"
#include "app/ui/help_page.h"
#include "app/ui/main_window_accessible.h"
#include "app/ui/text_box.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "controls/styled_button/styled_button.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

namespace scrivlet {

MainWindow::MainWindow(Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_platform(platform), m_model(new FileListModel(this))
{
    // Before any control exists: an interface, once asked for, is kept for the control's lifetime.
    MainWindowAccessible::install();
    setWindowIcon(AppIcon::icon());
    buildFromDesign();
    m_flows = new CommentFlows(*this, this); // Save, Delete, Import and row clicks
    wireCommands();
    new FileDrop(*this, this);
    autoSizeColumns();
    setUpAccess();
}

MainWindow::~MainWindow()
{
    // A run's watch for Escape ends with the window.
    QCoreApplication::instance()->removeEventFilter(this);
    // The About window has no owner; it must not outlive the window that opened it.
    if (m_about)
        delete m_about.data();
}

void MainWindow::buildFromDesign()
{
    FormBuilder builder(this);
    builder.build(FormDesign::fromResource(QStringLiteral(":/forms/main_window.json")));
    bool complete = true;
    // The design names the controls; the window knows them by their roles.
    const auto take = [&]<typename T>(T *&member, const char *name) {
        member = builder.get<T>(QString::fromLatin1(name));
        complete = complete && member != nullptr;
    };
    take(m_fileList, "ListView1");
    take(m_commentGroup, "GroupBox1");
    take(m_commentEdit, "Text1");
    take(m_commentMirror, "Text2");
    take(m_pathEdit, "FlatEdit1");
    take(m_optionsFrame, "Frame1");
    take(m_singleOption, "RadioButton3");
    take(m_multipleOption, "RadioButton4");
    take(m_subfoldersCheck, "CheckBox2");
    take(m_selectAllCheck, "CheckBox3");
    take(m_keepDatesOption, "CheckBox4");
    take(m_percentLabel, "percent");
    take(m_progressBar, "XP_ProgressBar1");
    take(m_statusBar, "StatusBar1");
    take(m_browseButton, "StyledButton1");
    take(m_importButton, "StyledButton2");
    take(m_aboutButton, "StyledButton3");
    take(m_saveButton, "StyledButton4");
    take(m_helpButton, "StyledButton5");
    take(m_deleteButton, "StyledButton6");
    take(m_clearButton, "StyledButton7");
    if (!complete)
        qFatal("the main window's design lacks a control");

    m_fileList->setModel(m_model);
    m_progress = std::make_unique<CommentFlowsProgress>(*m_progressBar, *m_percentLabel);
    m_summaryTimer = new QTimer(this);
    m_summaryTimer->setSingleShot(true);
    connect(m_summaryTimer, &QTimer::timeout, this, &MainWindow::writeStatusText);
    // The second panel names the web site; the bar shows its single status text instead.
    m_sitePanel = new QLabel(QString::fromLatin1(kSiteHost));
    m_sitePanel->setObjectName(QStringLiteral("StatusBar1Panel2"));
    m_statusBar->addPermanentWidget(m_sitePanel);
    m_sitePanel->hide();

    m_keepDatesOption->setChecked(UserSettings::keepFileDates());
}

void MainWindow::wireCommands()
{
    connect(browseButton(), &StyledButton::Click, this, &MainWindow::browseClicked);
    connect(aboutButton(), &StyledButton::Click, this, &MainWindow::aboutClicked);
    connect(helpButton(), &StyledButton::Click, this, &MainWindow::helpClicked);
    connect(clearButton(), &StyledButton::Click, this, &MainWindow::clearClicked);
    connect(saveButton(), &StyledButton::Click, m_flows, &CommentFlows::saveClicked);
    connect(deleteButton(), &StyledButton::Click, m_flows, &CommentFlows::deleteClicked);
    connect(importButton(), &StyledButton::Click, m_flows, &CommentFlows::importClicked);
    connect(m_fileList, &FileListView::rowChosen, m_flows, &CommentFlows::rowChosen);
    connect(m_commentEdit, &QPlainTextEdit::textChanged, this, [this] { m_mirrorStale = true; });
    // Only a click by the user acts; setting the box from code does not tick or untick rows.
    connect(m_selectAllCheck, &QCheckBox::clicked, this, &MainWindow::selectAllClicked);
    connect(m_keepDatesOption, &QCheckBox::clicked, this,
            [](bool keep) { UserSettings::setKeepFileDates(keep); });
}

QWidget *MainWindow::control(const QString &name) const
{
    if (name == objectName())
        return const_cast<MainWindow *>(this);
    return findChild<QWidget *>(name);
}

AboutWindow *MainWindow::aboutWindow() const
{
    return m_about.data();
}

void MainWindow::addFileRows(const QByteArrayList &paths)
{
    m_model->addFiles(paths);
}

void MainWindow::writeStatusText()
{
    m_summaryTimer->stop(); // the newer text stays
    m_statusBar->showMessage(QStringLiteral("Total Files: %1").arg(m_model->count()));
}

void MainWindow::updateListCommands()
{
    const bool hasRows = m_model->count() > 0;
    deleteButton()->setEnabled(hasRows);
    clearButton()->setEnabled(hasRows);
}

void MainWindow::checkAllItems()
{
    m_model->checkAll();
}

void MainWindow::uncheckAllItems()
{
    m_model->uncheckAll();
}

void MainWindow::autoSizeColumns()
{
    // Each column fits its header and contents; the last one is stretched over the rest.
    QHeaderView *header = m_fileList->horizontalHeader();
    for (int column = 0; column + 1 < m_model->columnCount(); ++column)
        m_fileList->resizeColumnToContents(column);
    header->setStretchLastSection(true);
}

void MainWindow::refreshSizes(const QByteArrayList &paths)
{
    m_model->refreshSizes(paths);
    m_model->refreshComments();
    // Never narrower than the user or the last fitting made it.
    const int width = m_fileList->columnWidth(FileListModel::SizeColumn);
    m_fileList->resizeColumnToContents(FileListModel::SizeColumn);
    if (m_fileList->columnWidth(FileListModel::SizeColumn) < width)
        m_fileList->setColumnWidth(FileListModel::SizeColumn, width);
}

void MainWindow::clearListView()
{
    m_model->clear();
}

void MainWindow::tickAfterAdding(FileListModel::RowId lastBefore)
{
    // A running Save or Delete writes every row still ticked when it comes to it: rows the user
    // unticked must not be ticked back into it by files added meanwhile.
    if (m_flows->isRunning())
        m_model->checkAddedAfter(lastBefore);
    else
        checkAllItems();
}

void MainWindow::addDroppedItems(const QByteArrayList &paths)
{
    const FileListModel::RowId lastBefore = m_model->lastId();
    addFileRows(DroppedItems::filesToAdd(paths, m_subfoldersCheck->isChecked()));
    autoSizeColumns();
    tickAfterAdding(lastBefore);
    updateListCommands();
    writeStatusText();
}

void MainWindow::browseClicked()
{
    if (m_singleOption->isChecked() || m_multipleOption->isChecked()) {
        const FileListModel::RowId lastBefore = m_model->lastId();
        if (m_singleOption->isChecked())
            openSingle();
        else
            openMultiple();
        autoSizeColumns();
        tickAfterAdding(lastBefore);
    }
    updateListCommands();
    writeStatusText();
}

void MainWindow::openSingle()
{
    Platform::OpenRequest request;
    request.filter = QStringLiteral("All Files|*.*");
    const std::optional<QString> chosen = m_platform.openFile(request);
    if (!chosen)
        return;
    // A path that names no file has no length: nothing changes.
    if (!QFileInfo(*chosen).isFile())
        return;
    m_pathEdit->setText(*chosen);
    if (QFileInfo(m_pathEdit->text()).isFile())
        addFileRows({FilePath::fromText(m_pathEdit->text())});
}

void MainWindow::openMultiple()
{
    const std::optional<QString> chosen =
        m_platform.browseForFolder(QString::fromLatin1(kBrowseTitle), QString::fromLatin1(kBrowseStart));
    const QString folder = chosen ? chosen->trimmed() : QString();
    if (folder.isEmpty())
        return;
    clearListView();
    m_pathEdit->setText(folder);
    m_platform.setBusyCursor(true);
    addFileRows(FolderRows::scan(FilePath::fromText(m_pathEdit->text()), m_subfoldersCheck->isChecked()));
    m_platform.setBusyCursor(false);
    if (m_model->count() == 0)
        m_platform.messageBox(QStringLiteral(" No  file to process."), QStringLiteral("Error"),
                              Platform::Icon::Exclamation, Platform::Buttons::Ok);
}

void MainWindow::selectAllClicked()
{
    if (m_selectAllCheck->isChecked())
        checkAllItems();
    else
        uncheckAllItems();
}

void MainWindow::clearClicked()
{
    if (m_model->count() == 0) {
        m_platform.messageBox(QStringLiteral(" Please open at least one file and try again."),
                              QStringLiteral("Error"), Platform::Icon::Exclamation, Platform::Buttons::Ok);
        return;
    }
    if (m_platform.messageBox(QStringLiteral("Do you want to clear?"), QStringLiteral("Clear ListView"),
                              Platform::Icon::None, Platform::Buttons::YesNo) != Platform::Answer::Yes)
        return;
    clearListView();
    m_pathEdit->clear();
    writeStatusText();
}

void MainWindow::aboutClicked()
{
    if (!m_about) {
        m_about = new AboutWindow(m_platform);
        keepAbove(*m_about);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::helpClicked()
{
    HelpPage::open(m_platform);
}

bool MainWindow::keepFileDates() const
{
    return m_keepDatesOption->isChecked();
}

bool MainWindow::commentIsEmpty() const
{
    return m_commentEdit->document()->isEmpty();
}

QString MainWindow::comment()
{
    // Copied when a save needs it rather than at every key: a copy of a long comment per key
    // would slow typing down.
    if (m_mirrorStale) {
        m_commentMirror->setText(m_commentEdit->text());
        m_mirrorStale = false;
    }
    return m_commentMirror->text();
}

void MainWindow::showComment(const QString &text)
{
    m_commentEdit->fill(text);
}

void MainWindow::commentSaved()
{
    m_commentEdit->markStored();
}

void MainWindow::beginProgress(int total)
{
    m_progress->begin(total);
}

void MainWindow::showProgress(int done, int total)
{
    m_progress->report(done, total);
}

void MainWindow::setRunning(bool running)
{
    if (running)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
}

void MainWindow::showRunSummary(const QString &text, int milliseconds)
{
    m_statusBar->showMessage(text);
    m_summaryTimer->start(milliseconds);
}

void MainWindow::closeWindow()
{
    close();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        const bool ours = widget ? widget->window() == this : watched == windowHandle();
        if (ours) {
            m_flows->requestStop();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A save or delete lets the event loop run between files: the window goes once the file in
    // hand is done and the run has returned, never from inside it.
    if (m_flows->deferClose()) {
        event->ignore();
        return;
    }
    if (m_about)
        m_about->close();
    QWidget::closeEvent(event);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    centreOnScreen(*this);
}

} // namespace scrivlet
