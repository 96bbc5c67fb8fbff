// What a screen reader learns through QAccessible about the windows' own controls and boxes.
#include "app/ui/about_window.h"
#include "app/ui/text_box.h"
#include "controls/progress_bar/xp_progress_bar.h"
#include "tests/support/case_name.h"
#include "ui_window_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QLineEdit>
#include <QSignalSpy>

#include <functional>

using namespace scrivlet;

namespace {

struct OwnControl
{
    const char *name;
    std::function<QWidget *(MainWindow &)> find;
    QAccessible::Role role;
    const char *accessibleName;
    bool enabled;
};

void PrintTo(const OwnControl &c, std::ostream *os)
{
    *os << c.name;
}

class OwnControlAccessibility : public WindowTest, public ::testing::WithParamInterface<OwnControl>
{
};

TEST_P(OwnControlAccessibility, AnswersAsTheControlItStandsFor)
{
    const OwnControl &c = GetParam();
    QWidget *control = c.find(*m_window);
    ASSERT_NE(control, nullptr);
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), c.role);
    EXPECT_EQ(face->text(QAccessible::Name), QString::fromLatin1(c.accessibleName));
    EXPECT_EQ(face->state().disabled, !c.enabled);

    if (auto *button = qobject_cast<StyledButton *>(control)) {
        button->setToolTip(QStringLiteral("What it does"));
        EXPECT_EQ(face->text(QAccessible::Description), QStringLiteral("What it does"));
        EXPECT_TRUE(face->state().focusable);
        QAccessibleActionInterface *actions = face->actionInterface();
        ASSERT_NE(actions, nullptr);
        const QString press = QAccessibleActionInterface::pressAction();
        EXPECT_EQ(actions->actionNames().contains(press), c.enabled);
        QSignalSpy clicks(button, &StyledButton::Click);
        actions->doAction(press);
        // The tool's call returns first; the click follows from the event loop.
        EXPECT_EQ(clicks.count(), 0);
        QCoreApplication::processEvents();
        EXPECT_EQ(clicks.count(), c.enabled ? 1 : 0);
        return;
    }

    auto *bar = qobject_cast<XP_ProgressBar *>(control);
    ASSERT_NE(bar, nullptr);
    QAccessibleValueInterface *value = face->valueInterface();
    ASSERT_NE(value, nullptr);
    // (Its value-change events reach only a live bridge: the AT-SPI test watches them.)
    // As a run of three files does: Max, Value 0, then one step per file and one past the end.
    bar->setMaximum(3);
    bar->setValue(0);
    bar->setValue(2);
    EXPECT_EQ(value->currentValue().toInt(), 2);
    bar->setValue(4);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 3);
    EXPECT_EQ(value->currentValue().toInt(), 3);
}

QWidget *aboutOk(MainWindow &window)
{
    window.aboutClicked();
    return window.aboutWindow() != nullptr ? window.aboutWindow()->okButton() : nullptr;
}

INSTANTIATE_TEST_SUITE_P(
    EveryOne, OwnControlAccessibility,
    ::testing::Values(
        OwnControl{"Browse", [](MainWindow &w) { return w.browseButton(); }, QAccessible::Button, "Browse",
                   true},
        OwnControl{"Import", [](MainWindow &w) { return w.importButton(); }, QAccessible::Button, "Import",
                   true},
        OwnControl{"About", [](MainWindow &w) { return w.aboutButton(); }, QAccessible::Button, "About",
                   true},
        OwnControl{"Help", [](MainWindow &w) { return w.helpButton(); }, QAccessible::Button, "Help", true},
        OwnControl{"Delete", [](MainWindow &w) { return w.deleteButton(); }, QAccessible::Button, "Delete",
                   false},
        OwnControl{"Clear", [](MainWindow &w) { return w.clearButton(); }, QAccessible::Button, "Clear...",
                   false},
        OwnControl{"Save", [](MainWindow &w) { return w.saveButton(); }, QAccessible::Button, "Save", true},
        OwnControl{"About OK", aboutOk, QAccessible::Button, "OK", true},
        OwnControl{"Progress bar", [](MainWindow &w) { return w.progressBar(); }, QAccessible::ProgressBar,
                   "", true}),
    PrintedCaseName());

using WindowAccessibility = WindowTest;

TEST_F(WindowAccessibility, EveryBoxHasANameAndTheMirrorIsNotThere)
{
    EXPECT_EQ(QAccessible::queryAccessibleInterface(m_window->commentEdit())->text(QAccessible::Name),
              QStringLiteral("Add Comments"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(m_window->pathEdit())->text(QAccessible::Name),
              QStringLiteral("Path"));

    // Walk the whole tree a screen reader sees.
    QList<QAccessibleInterface *> pending{QAccessible::queryAccessibleInterface(m_window.get())};
    int boxes = 0;
    while (!pending.isEmpty()) {
        QAccessibleInterface *face = pending.takeFirst();
        ASSERT_NE(face, nullptr);
        EXPECT_NE(face->object(), m_window->commentMirror());
        if (face->role() == QAccessible::EditableText) {
            ++boxes;
            EXPECT_FALSE(face->text(QAccessible::Name).isEmpty())
                << face->object()->objectName().toStdString();
        }
        for (int i = 0; i < face->childCount(); ++i)
            pending.append(face->child(i));
    }
    EXPECT_EQ(boxes, 2);
}

} // namespace
