#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

class AboutWindow;
class FileListModel;
class Platform;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QStatusBar;
class QTableView;
class StyledButton;
class XP_ProgressBar;

// The main window: the file list, the comment editor, the options for adding files, the command
// buttons and the status bar. Its controls are built from the stored design (forms/form1.json).
// It owns adding files (Browse), Select All, Clear, About and Help; the comment commands (Save,
// Import, Delete, row click, drops) are wired by the comment flows object it creates.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char *kTitle = "Scrivlet 1.0";
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

    // The controls, by their design names.
    QTableView *fileList() const { return m_fileList; } // ListView1
    QGroupBox *groupBox1() const { return m_groupBox1; }
    QPlainTextEdit *text1() const { return m_text1; }             // comment editor
    QPlainTextEdit *text2() const { return m_text2; }             // its hidden mirror
    QLineEdit *flatEdit1() const { return m_flatEdit1; }          // file or folder last browsed
    QGroupBox *frame1() const { return m_frame1; }                // " Options"
    QRadioButton *radioButton3() const { return m_radioButton3; } // "Single"
    QRadioButton *radioButton4() const { return m_radioButton4; } // "Multiple"
    QCheckBox *checkBox2() const { return m_checkBox2; }          // "Process Sub-Folders"
    QCheckBox *checkBox3() const { return m_checkBox3; }          // "Select All"
    QLabel *percentLabel() const { return m_percent; }
    XP_ProgressBar *progressBar() const { return m_progressBar; } // XP_ProgressBar1
    QStatusBar *statusBar1() const { return m_statusBar; }
    QLabel *statusPanel2() const { return m_statusPanel2; }
    StyledButton *styledButton1() const { return m_buttons[0]; } // Browse
    StyledButton *styledButton2() const { return m_buttons[1]; } // Import
    StyledButton *styledButton3() const { return m_buttons[2]; } // About
    StyledButton *styledButton4() const { return m_buttons[3]; } // Save
    StyledButton *styledButton5() const { return m_buttons[4]; } // Help
    StyledButton *styledButton6() const { return m_buttons[5]; } // Delete
    StyledButton *styledButton7() const { return m_buttons[6]; } // Clear...

    // Any control of the design by its name ("ListView1", "percent", ...), or null.
    QWidget *control(const QString &name) const;

    // The About window while it is open, else null.
    AboutWindow *aboutWindow() const;

    // Shared steps of the adding flows.
    // Adds the files as new top rows (the last one on top) in one insertion.
    void addFileRows(const QStringList &paths);
    // "Total Files: N" in the status bar.
    void writeStatusText();
    // Delete and Clear are enabled exactly when the list has rows.
    void updateListCommands();
    void checkAllItems();
    void uncheckAllItems();
    // Fits the columns to header and contents; the last one fills the rest of the width.
    void autoSizeColumns();
    // Removes every row (and its path).
    void clearListView();

    // Command handlers, public so tests and the flows can run them directly.
    void browseClicked();    // StyledButton1
    void selectAllClicked(); // CheckBox3
    void clearClicked();     // StyledButton7
    void aboutClicked();     // StyledButton3
    void helpClicked();      // StyledButton5

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
    QTableView *m_fileList = nullptr;
    QGroupBox *m_groupBox1 = nullptr;
    QPlainTextEdit *m_text1 = nullptr;
    QPlainTextEdit *m_text2 = nullptr;
    QLineEdit *m_flatEdit1 = nullptr;
    QGroupBox *m_frame1 = nullptr;
    QRadioButton *m_radioButton3 = nullptr;
    QRadioButton *m_radioButton4 = nullptr;
    QCheckBox *m_checkBox2 = nullptr;
    QCheckBox *m_checkBox3 = nullptr;
    QLabel *m_percent = nullptr;
    XP_ProgressBar *m_progressBar = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_statusPanel2 = nullptr;
    StyledButton *m_buttons[7] = {};
    QPointer<AboutWindow> m_about;
    bool m_centred = false;
};
