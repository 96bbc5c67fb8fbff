#include "app/ui/main_window.h"

#include "app/core/file_list_model.h"
#include "app/core/folder_scan.h"
#include "app/platform/platform.h"
#include "app/ui/about_window.h"
#include "app/ui/app_icon.h"
#include "app/ui/comment_flows.h"
#include "app/ui/form_builder.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "controls/styled_button/styled_button.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>

MainWindow::MainWindow(Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_platform(platform), m_model(new FileListModel(this))
{
    setWindowIcon(AppIcon::icon());
    buildFromDesign();
    wireCommands();
    new CommentFlows(*this); // Save, Delete, Import, row clicks and drops; a child of the window
    autoSizeColumns();
}

MainWindow::~MainWindow()
{
    // The About window has no owner; it must not outlive the window that opened it.
    if (m_about)
        delete m_about.data();
}

void MainWindow::buildFromDesign()
{
    FormBuilder builder(this);
    builder.build(FormDesign::fromResource(QStringLiteral(":/forms/form1.json")));
    m_fileList = builder.get<QTableView>(QStringLiteral("ListView1"));
    m_groupBox1 = builder.get<QGroupBox>(QStringLiteral("GroupBox1"));
    m_text1 = builder.get<QPlainTextEdit>(QStringLiteral("Text1"));
    m_text2 = builder.get<QPlainTextEdit>(QStringLiteral("Text2"));
    m_flatEdit1 = builder.get<QLineEdit>(QStringLiteral("FlatEdit1"));
    m_frame1 = builder.get<QGroupBox>(QStringLiteral("Frame1"));
    m_radioButton3 = builder.get<QRadioButton>(QStringLiteral("RadioButton3"));
    m_radioButton4 = builder.get<QRadioButton>(QStringLiteral("RadioButton4"));
    m_checkBox2 = builder.get<QCheckBox>(QStringLiteral("CheckBox2"));
    m_checkBox3 = builder.get<QCheckBox>(QStringLiteral("CheckBox3"));
    m_percent = builder.get<QLabel>(QStringLiteral("percent"));
    m_progressBar = builder.get<XP_ProgressBar>(QStringLiteral("XP_ProgressBar1"));
    m_statusBar = builder.get<QStatusBar>(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 7; ++i)
        m_buttons[i] = builder.get<StyledButton>(QStringLiteral("StyledButton%1").arg(i + 1));
    if (m_fileList == nullptr || m_text1 == nullptr || m_text2 == nullptr || m_flatEdit1 == nullptr ||
        m_radioButton3 == nullptr || m_radioButton4 == nullptr || m_checkBox2 == nullptr ||
        m_checkBox3 == nullptr || m_percent == nullptr || m_progressBar == nullptr ||
        m_statusBar == nullptr ||
        std::find(std::begin(m_buttons), std::end(m_buttons), nullptr) != std::end(m_buttons))
        qFatal("the main window's design lacks a control");

    m_fileList->setModel(m_model);
    // The second panel names the web site; the bar shows its single status text instead.
    m_statusPanel2 = new QLabel(QString::fromLatin1(kSiteHost));
    m_statusPanel2->setObjectName(QStringLiteral("StatusBar1Panel2"));
    m_statusBar->addPermanentWidget(m_statusPanel2);
    m_statusPanel2->hide();
}

void MainWindow::wireCommands()
{
    connect(styledButton1(), &StyledButton::Click, this, &MainWindow::browseClicked);
    connect(styledButton3(), &StyledButton::Click, this, &MainWindow::aboutClicked);
    connect(styledButton5(), &StyledButton::Click, this, &MainWindow::helpClicked);
    connect(styledButton7(), &StyledButton::Click, this, &MainWindow::clearClicked);
    // Only a click by the user acts; setting the box from code does not tick or untick rows.
    connect(m_checkBox3, &QCheckBox::clicked, this, &MainWindow::selectAllClicked);
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

void MainWindow::addFileRows(const QStringList &paths)
{
    m_model->addFiles(paths);
}

void MainWindow::writeStatusText()
{
    m_statusBar->showMessage(QStringLiteral("Total Files: %1").arg(m_model->count()));
}

void MainWindow::updateListCommands()
{
    const bool hasRows = m_model->count() > 0;
    styledButton6()->setEnabled(hasRows);
    styledButton7()->setEnabled(hasRows);
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

void MainWindow::clearListView()
{
    m_model->clear();
}

void MainWindow::browseClicked()
{
    if (m_radioButton3->isChecked() || m_radioButton4->isChecked()) {
        if (m_radioButton3->isChecked())
            openSingle();
        else
            openMultiple();
        autoSizeColumns();
        checkAllItems();
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
    m_flatEdit1->setText(*chosen);
    if (QFileInfo(m_flatEdit1->text()).isFile())
        addFileRows({m_flatEdit1->text()});
}

void MainWindow::openMultiple()
{
    const std::optional<QString> chosen =
        m_platform.browseForFolder(QString::fromLatin1(kBrowseTitle), QString::fromLatin1(kBrowseStart));
    const QString folder = chosen ? chosen->trimmed() : QString();
    if (folder.isEmpty())
        return;
    clearListView();
    m_flatEdit1->setText(folder);
    m_platform.setBusyCursor(true);
    addFileRows(FolderScan::scanForRows(m_flatEdit1->text(), m_checkBox2->isChecked()));
    m_platform.setBusyCursor(false);
    if (m_model->count() == 0)
        m_platform.messageBox(QStringLiteral(" No  file to process."), QStringLiteral("Error"),
                              Platform::Icon::Exclamation, Platform::Buttons::Ok);
}

void MainWindow::selectAllClicked()
{
    if (m_checkBox3->isChecked())
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
    m_flatEdit1->clear();
    writeStatusText();
}

void MainWindow::aboutClicked()
{
    if (!m_about)
        m_about = new AboutWindow(m_platform);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::helpClicked()
{
    m_platform.openUrl(QString::fromLatin1(kHelpAddress));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
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
