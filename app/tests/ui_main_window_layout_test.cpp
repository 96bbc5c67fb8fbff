#include "app/ui/main_window.h"
#include "app/ui/text_box.h"

#include "app/model/file_list_model.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "controls/styled_button/styled_button.h"
#include "tests/support/case_name.h"
#include "tests/support/scripted_platform.h"

#include "app/ui/file_list_view.h"
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

struct Placement
{
    const char *name;
    const char *parent;
    QRect pixels; // the layout's twips divided by 15
};

void PrintTo(const Placement &p, std::ostream *os)
{
    *os << p.name;
}

// One window for all the table rows: building it is the slow part.
class SharedWindow : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_window = new MainWindow(s_platform); }
    static void TearDownTestSuite()
    {
        delete s_window;
        s_window = nullptr;
    }
    static ScriptedPlatform s_platform;
    static MainWindow *s_window;
};
ScriptedPlatform SharedWindow::s_platform;
MainWindow *SharedWindow::s_window = nullptr;

class MainWindowLayout : public SharedWindow, public ::testing::WithParamInterface<Placement>
{
};

TEST_P(MainWindowLayout, ControlSitsAtItsDesignPosition)
{
    const Placement &p = GetParam();
    QWidget *control = s_window->control(QString::fromLatin1(p.name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), p.pixels);
    EXPECT_EQ(control->parentWidget(), s_window->control(QString::fromLatin1(p.parent)));
}

// Left, top, width, height from the window's layout table (twips), divided by 15 by hand.
INSTANTIATE_TEST_SUITE_P(Table, MainWindowLayout,
                         ::testing::Values(Placement{"ListView1", "Form1", QRect(8, 8, 553, 153)},
                                           Placement{"GroupBox1", "Form1", QRect(8, 168, 553, 161)},
                                           Placement{"Text1", "GroupBox1", QRect(8, 16, 537, 137)},
                                           Placement{"FlatEdit1", "Form1", QRect(8, 336, 465, 25)},
                                           Placement{"StyledButton1", "Form1", QRect(488, 336, 73, 25)},
                                           Placement{"Frame1", "Form1", QRect(8, 368, 553, 65)},
                                           Placement{"RadioButton3", "Frame1", QRect(16, 16, 57, 17)},
                                           Placement{"RadioButton4", "Frame1", QRect(88, 16, 65, 17)},
                                           Placement{"CheckBox2", "Frame1", QRect(176, 16, 145, 17)},
                                           Placement{"CheckBox3", "Frame1", QRect(336, 16, 73, 17)},
                                           Placement{"CheckBox4", "Frame1", QRect(16, 40, 113, 17)},
                                           Placement{"percent", "Frame1", QRect(432, 40, 65, 17)},
                                           Placement{"XP_ProgressBar1", "Form1", QRect(432, 384, 105, 17)},
                                           Placement{"StyledButton2", "Form1", QRect(8, 440, 65, 25)},
                                           Placement{"StyledButton3", "Form1", QRect(80, 440, 65, 25)},
                                           Placement{"StyledButton5", "Form1", QRect(160, 440, 65, 25)},
                                           Placement{"StyledButton6", "Form1", QRect(240, 440, 65, 25)},
                                           Placement{"StyledButton7", "Form1", QRect(320, 440, 65, 25)},
                                           Placement{"StyledButton4", "Form1", QRect(488, 440, 73, 25)},
                                           Placement{"StatusBar1", "Form1", QRect(0, 477, 568, 25)},
                                           Placement{"Text2", "Form1", QRect(16, 608, 513, 233)}),
                         PrintedCaseName());

struct ButtonCase
{
    const char *name;
    const char *caption;
    bool enabled;
};

void PrintTo(const ButtonCase &b, std::ostream *os)
{
    *os << b.name << " " << b.caption;
}

class MainWindowButtons : public SharedWindow, public ::testing::WithParamInterface<ButtonCase>
{
};

TEST_P(MainWindowButtons, StyleFiveWithCaptionFontAndState)
{
    const ButtonCase &b = GetParam();
    auto *button = qobject_cast<StyledButton *>(s_window->control(QString::fromLatin1(b.name)));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->buttonStyle(), 5);
    EXPECT_EQ(button->caption(), QString::fromLatin1(b.caption));
    EXPECT_EQ(button->isEnabled(), b.enabled);
    EXPECT_DOUBLE_EQ(button->font().pointSizeF(), 9.75);
    EXPECT_FALSE(button->font().bold());
    EXPECT_EQ(button->toolTipType(), 1);
    EXPECT_FALSE(button->roundedBordersByTheme());
    EXPECT_EQ(button->maskColor(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, MainWindowButtons,
                         ::testing::Values(ButtonCase{"StyledButton1", "Browse", true},
                                           ButtonCase{"StyledButton2", "Import", true},
                                           ButtonCase{"StyledButton3", "About", true},
                                           ButtonCase{"StyledButton4", "Save", true},
                                           ButtonCase{"StyledButton5", "Help", true},
                                           ButtonCase{"StyledButton6", "Delete", false},
                                           ButtonCase{"StyledButton7", "Clear...", false}),
                         PrintedCaseName());

class MainWindowAtStart : public ::testing::Test
{
protected:
    ScriptedPlatform m_platform;
    MainWindow m_window{m_platform};
};

// It opens at the classic size; how it grows from there is the growth test's.
TEST_F(MainWindowAtStart, WindowOpensTitledAtItsClassicSize)
{
    EXPECT_EQ(m_window.size(), QSize(568, 502));
    EXPECT_EQ(m_window.windowTitle(), QStringLiteral("Scrivlet 1.0"));
    EXPECT_TRUE(m_window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(m_window.windowIcon().pixmap(32, 32).isNull());
}

TEST_F(MainWindowAtStart, OptionsCaptionsAndInitialStates)
{
    EXPECT_EQ(m_window.commentGroup()->title(), QStringLiteral("Add Comments"));
    EXPECT_EQ(m_window.optionsFrame()->title(), QStringLiteral(" Options"));
    EXPECT_EQ(m_window.singleOption()->text(), QStringLiteral("Single"));
    EXPECT_EQ(m_window.multipleOption()->text(), QStringLiteral("Multiple"));
    EXPECT_EQ(m_window.subfoldersCheck()->text(), QStringLiteral("Process Sub-Folders"));
    EXPECT_EQ(m_window.selectAllCheck()->text(), QStringLiteral("Select All"));
    EXPECT_EQ(m_window.keepDatesOption()->text(), QStringLiteral("Keep file dates"));
    EXPECT_TRUE(m_window.singleOption()->isChecked());
    EXPECT_FALSE(m_window.multipleOption()->isChecked());
    EXPECT_FALSE(m_window.subfoldersCheck()->isChecked());
    EXPECT_TRUE(m_window.selectAllCheck()->isChecked());
    EXPECT_FALSE(m_window.keepDatesOption()->isChecked());
    EXPECT_TRUE(m_window.commentEdit()->toPlainText().isEmpty());
    EXPECT_FALSE(m_window.commentMirror()->toPlainText().isEmpty());
    EXPECT_TRUE(m_window.pathEdit()->text().isEmpty());
    EXPECT_TRUE(m_window.pathEdit()->isReadOnly());
    EXPECT_TRUE(m_window.percentLabel()->text().isEmpty());
    EXPECT_TRUE(m_window.statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(m_window.sitePanel()->text(), QStringLiteral("scrivlet.example.org"));
    EXPECT_EQ(m_window.commentEdit()->font().family(), QStringLiteral("Arial"));
}

TEST_F(MainWindowAtStart, ListShowsNameSizeTypeCommentWithRowCheckBoxes)
{
    FileListView *list = m_window.fileList();
    EXPECT_EQ(list->model(), static_cast<QAbstractItemModel *>(m_window.fileModel()));
    EXPECT_TRUE(list->verticalHeader()->isHidden());
    EXPECT_EQ(list->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    const QAbstractItemModel *model = list->model();
    EXPECT_EQ(model->columnCount(), 4);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Size"));
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Type"));
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Comment"));
    EXPECT_TRUE(list->horizontalHeader()->stretchLastSection());
}

TEST_F(MainWindowAtStart, ProgressBarCarriesItsStoredLook)
{
    XP_ProgressBar *bar = m_window.progressBar();
    EXPECT_EQ(bar->scrolling(), 4);
    EXPECT_EQ(bar->color(), 0xC0FFC0u);
    EXPECT_EQ(bar->brushStyle(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    // Shown by the first save or delete run, not before.
    EXPECT_TRUE(bar->isHidden());
    EXPECT_TRUE(m_window.percentLabel()->isHidden());
    EXPECT_TRUE(m_window.commentMirror()->isHidden());
}

// The options frame's second row holds "Keep file dates" under "Single": drawn in the frame's
// font, its caption whole, clear of the other controls, and its tick box exactly like the others.
class OptionsFrame : public MainWindowAtStart
{
protected:
    void SetUp() override
    {
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    // Where the style draws a check box's tick box and caption, in window coordinates.
    static QRect styleRect(QCheckBox *box, QStyle::SubElement element)
    {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect rect = box->style()->subElementRect(element, &option, box);
        return rect.translated(box->mapTo(box->window(), QPoint(0, 0)));
    }
    QImage window() { return m_window.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

TEST_F(OptionsFrame, KeepDatesSitsInTheFreeRowInTheFramesFont)
{
    QCheckBox *box = m_window.keepDatesOption();
    EXPECT_EQ(box->parentWidget(), m_window.optionsFrame());
    EXPECT_EQ(box->font(), m_window.subfoldersCheck()->font());
    EXPECT_EQ(box->x(), m_window.singleOption()->x());
    EXPECT_EQ(box->height(), m_window.subfoldersCheck()->height());
    EXPECT_GT(box->y(), m_window.singleOption()->geometry().bottom());
    EXPECT_TRUE(m_window.optionsFrame()->rect().contains(box->geometry()));
    EXPECT_LE(box->sizeHint().width(), box->width()) << "the caption is cut";
    const QRect caption = styleRect(box, QStyle::SE_CheckBoxContents);
    EXPECT_GE(caption.width(), box->fontMetrics().horizontalAdvance(box->text()));
    for (QWidget *other : m_window.optionsFrame()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (other != box) {
            EXPECT_FALSE(other->geometry().intersects(box->geometry())) << other->objectName().toStdString();
        }
    }
}

// Text stays out of the comparison: only the tick boxes are compared, pixel for pixel.
TEST_F(OptionsFrame, KeepDatesTickBoxLooksLikeTheOthersInBothStates)
{
    QCheckBox *box = m_window.keepDatesOption();
    const QRect own = styleRect(box, QStyle::SE_CheckBoxIndicator);
    const QRect unticked = styleRect(m_window.subfoldersCheck(), QStyle::SE_CheckBoxIndicator);
    const QRect ticked = styleRect(m_window.selectAllCheck(), QStyle::SE_CheckBoxIndicator);
    ASSERT_FALSE(own.isEmpty());
    ASSERT_EQ(own.size(), unticked.size());
    EXPECT_EQ(own.y() - box->mapTo(&m_window, QPoint(0, 0)).y(),
              unticked.y() - m_window.subfoldersCheck()->mapTo(&m_window, QPoint(0, 0)).y());

    QImage picture = window();
    EXPECT_EQ(picture.copy(own), picture.copy(unticked));
    box->setChecked(true);
    picture = window();
    EXPECT_EQ(picture.copy(own), picture.copy(ticked));
}

} // namespace
