// The main window for keyboard users, screen readers and screens of any size: shortcuts for the
// commands, names for the boxes, and a layout that follows the window's size.
#include "app/ui/button_shortcut.h"
#include "app/ui/file_list_view.h"
#include "app/ui/growing_layout.h"
#include "app/ui/main_window.h"
#include "app/ui/text_box.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "controls/styled_button/styled_button.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QWindow>

namespace scrivlet {

void MainWindow::setUpAccess()
{
    // A box has no caption of its own; a screen reader says these names when it gets the focus.
    m_commentEdit->setAccessibleName(m_commentGroup->title());
    m_pathEdit->setAccessibleName(QStringLiteral("Path"));

    new ButtonShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), m_browseButton, this);
    new ButtonShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), m_saveButton, this);
    new ButtonShortcut(QKeySequence(Qt::Key_F1), m_helpButton, this);

    setUpGrowing();
}

void MainWindow::setUpGrowing()
{
    // Two thirds of the designed size still shows every control, and fits a small or scaled screen.
    const QSize classic = size();
    setMinimumSize((classic.width() * 2 + 2) / 3, (classic.height() * 2 + 2) / 3);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    using Across = GrowingLayout::Across;
    using Down = GrowingLayout::Down;
    m_growing = new GrowingLayout(*this);
    m_growing->add(m_fileList, Across::Stretch, Down::MainArea);
    m_growing->add(m_commentGroup, Across::Stretch, Down::SecondArea);
    m_growing->add(m_commentEdit, Across::Stretch, Down::InSecondArea);
    m_growing->add(m_pathEdit, Across::Stretch, Down::Bottom);
    m_growing->add(m_browseButton, Across::Right, Down::Bottom);
    m_growing->add(m_optionsFrame, Across::Stretch, Down::Bottom);
    for (QWidget *option : std::initializer_list<QWidget *>{
             m_singleOption, m_multipleOption, m_subfoldersCheck, m_selectAllCheck, m_keepDatesOption})
        m_growing->add(option, Across::Left, Down::Top);
    m_growing->add(m_percentLabel, Across::Right, Down::Top);
    m_growing->add(m_progressBar, Across::Right, Down::Bottom);
    for (QWidget *button : std::initializer_list<QWidget *>{m_importButton, m_aboutButton, m_helpButton,
                                                            m_deleteButton, m_clearButton})
        m_growing->add(button, Across::Left, Down::Bottom);
    m_growing->add(m_saveButton, Across::Right, Down::Bottom);
    m_growing->add(m_statusBar, Across::Stretch, Down::Bottom);
}

void MainWindow::keepAbove(QWidget &window) const
{
    // Without an owner the window could slip behind this one; as its transient it stays above.
    window.winId();
    if (QWindow *own = windowHandle(); own != nullptr && window.windowHandle() != nullptr)
        window.windowHandle()->setTransientParent(own);
}

} // namespace scrivlet
