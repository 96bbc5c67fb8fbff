#pragma once

#include "app/model/file_list_model.h"

#include <QByteArrayList>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStatusBar;

namespace scrivlet {

class AboutWindow;
class CommentFlows;

class FileListView;
class Platform;
class StyledButton;
class TextBox;
class XP_ProgressBar;

// The main window: the file list, the comment editor, the options for adding files, the command
// buttons and the status bar. Its controls are built from the stored design (forms/form1.json).
// It owns adding files (Browse), Select All, Clear, About and Help; the comment commands (Save,
// Import, Delete, row click, drops) are wired by the comment flows object it creates.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char *kHelpAddress = "https://scrivlet.example.org/help.html";
    static constexpr const char *kSiteHost = "scrivlet.example.org";
    // Where the folder browser opens.
    static constexpr const char *kBrowseStart = "/";
    static constexpr const char *kBrowseTitle = "Scrivlet - Please select input folder.";

    // `platform` answers every dialog and must outlive the window.
    explicit MainWindow(Platform &platform, QWidget *parent = nullptr);
    ~MainWindow() override;

    Platform &platform() const { return m_platform; }
    FileListModel *fileModel() const { return m_model; }
    CommentFlows *commentFlows() const { return m_flows; }

    // The controls, by their roles (their design names are in forms/form1.json).
    FileListView *fileList() const { return m_fileList; }
    QGroupBox *commentGroup() const { return m_commentGroup; }
    TextBox *commentEdit() const { return m_commentEdit; }
    TextBox *commentMirror() const { return m_commentMirror; } // hidden copy of the comment
    QLineEdit *pathEdit() const { return m_pathEdit; }         // file or folder last browsed
    QGroupBox *optionsFrame() const { return m_optionsFrame; }
    QRadioButton *singleOption() const { return m_singleOption; }
    QRadioButton *multipleOption() const { return m_multipleOption; }
    QCheckBox *subfoldersCheck() const { return m_subfoldersCheck; }
    QCheckBox *selectAllCheck() const { return m_selectAllCheck; }
    // Save and Delete keep the files' access and modification times; remembered between runs.
    QCheckBox *keepDatesOption() const { return m_keepDatesOption; }
    QLabel *percentLabel() const { return m_percentLabel; }
    XP_ProgressBar *progressBar() const { return m_progressBar; }
    QStatusBar *statusBar() const { return m_statusBar; }
    QLabel *sitePanel() const { return m_sitePanel; } // the status bar's hidden web-site panel
    StyledButton *browseButton() const { return m_browseButton; }
    StyledButton *importButton() const { return m_importButton; }
    StyledButton *aboutButton() const { return m_aboutButton; }
    StyledButton *saveButton() const { return m_saveButton; }
    StyledButton *helpButton() const { return m_helpButton; }
    StyledButton *deleteButton() const { return m_deleteButton; }
    StyledButton *clearButton() const { return m_clearButton; }

    // Any control of the design by its name ("ListView1", "percent", ...), or null.
    QWidget *control(const QString &name) const;

    // The About window while it is open, else null.
    AboutWindow *aboutWindow() const;

    // Shared steps of the adding flows.
    // Adds the files (paths as bytes) as new top rows (the last one on top) in one insertion.
    void addFileRows(const QByteArrayList &paths);
    // "Total Files: N" in the status bar.
    void writeStatusText();
    // Delete and Clear are enabled exactly when the list has rows.
    void updateListCommands();
    void checkAllItems();
    void uncheckAllItems();
    // Fits the columns to header and contents; the last one fills the rest of the width.
    void autoSizeColumns();
    /// Ticks the rows added since the row named @p lastBefore, and every other row unless a Save
    /// or Delete is running.
    void tickAfterAdding(FileListModel::RowId lastBefore);
    /// Takes the sizes of these files again after a change to them, widening the Size column when a
    /// new size text needs more room than the column has.
    void refreshSizes(const QByteArrayList &paths);
    // Removes every row (and its path).
    void clearListView();
    // Lists files and folders as a drop onto the list does: files on top, folders by the folder
    // scan's rules (with sub-folders when "Process Sub-Folders" is ticked), then every row is
    // ticked and the commands and status text are brought up to date. Shows no message. Paths are
    // bytes, as the file system spells them.
    void addDroppedItems(const QByteArrayList &paths);

    // Command handlers, public so tests and the flows can run them directly.
    void browseClicked();
    void selectAllClicked();
    void clearClicked();
    void aboutClicked();
    void helpClicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildFromDesign();
    void wireCommands();
    void openSingle();
    void openMultiple();

    Platform &m_platform;
    FileListModel *m_model = nullptr;
    FileListView *m_fileList = nullptr;
    QGroupBox *m_commentGroup = nullptr;
    TextBox *m_commentEdit = nullptr;
    TextBox *m_commentMirror = nullptr;
    QLineEdit *m_pathEdit = nullptr;
    QGroupBox *m_optionsFrame = nullptr;
    QRadioButton *m_singleOption = nullptr;
    QRadioButton *m_multipleOption = nullptr;
    QCheckBox *m_subfoldersCheck = nullptr;
    QCheckBox *m_selectAllCheck = nullptr;
    QCheckBox *m_keepDatesOption = nullptr;
    QLabel *m_percentLabel = nullptr;
    XP_ProgressBar *m_progressBar = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_sitePanel = nullptr;
    StyledButton *m_browseButton = nullptr;
    StyledButton *m_importButton = nullptr;
    StyledButton *m_aboutButton = nullptr;
    StyledButton *m_saveButton = nullptr;
    StyledButton *m_helpButton = nullptr;
    StyledButton *m_deleteButton = nullptr;
    StyledButton *m_clearButton = nullptr;
    CommentFlows *m_flows = nullptr;
    QPointer<AboutWindow> m_about;
    bool m_centred = false;
};

} // namespace scrivlet
