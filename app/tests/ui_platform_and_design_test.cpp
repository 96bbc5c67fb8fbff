#include "app/platform/qt_platform.h"
#include "app/ui/form_design.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace scrivlet;

namespace {

struct FilterCase
{
    const char *windowsFilter;
    QStringList qtFilters;
};

void PrintTo(const FilterCase &c, std::ostream *os)
{
    *os << (*c.windowsFilter != '\0' ? c.windowsFilter : "no filter");
}

class OpenDialogFilters : public ::testing::TestWithParam<FilterCase>
{
};

TEST_P(OpenDialogFilters, PairsBecomeQtFilters)
{
    EXPECT_EQ(QtPlatform::qtFilters(QString::fromLatin1(GetParam().windowsFilter)), GetParam().qtFilters);
}

INSTANTIATE_TEST_SUITE_P(Table, OpenDialogFilters,
                         ::testing::Values(FilterCase{"All Files|*.*", {"All Files (*)"}},
                                           FilterCase{"Text Files (*.txt)|*.txt|All files (*.*)|*.*",
                                                      {"Text Files (*.txt)", "All files (*)"}},
                                           FilterCase{"Text|*.txt|Pictures|*.png;*.jpg",
                                                      {"Text (*.txt)", "Pictures (*.png *.jpg)"}},
                                           FilterCase{"Broken|", {}}, FilterCase{"", {}},
                                           FilterCase{"No pattern", {}}),
                         PrintedCaseName());

struct PixelCase
{
    int twips;
    int pixels;
};

void PrintTo(const PixelCase &c, std::ostream *os)
{
    *os << c.twips << " twips is " << c.pixels << (c.pixels == 1 || c.pixels == -1 ? " pixel" : " pixels");
}

class TwipsToPixels : public ::testing::TestWithParam<PixelCase>
{
};

TEST_P(TwipsToPixels, FifteenTwipsAPixelRoundedHalfToEven)
{
    EXPECT_EQ(FormDesign::toPixels(GetParam().twips), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Table, TwipsToPixels,
                         ::testing::Values(PixelCase{0, 0}, PixelCase{15, 1}, PixelCase{7, 0},
                                           PixelCase{8, 1}, PixelCase{22, 1}, // 1.4667
                                           PixelCase{23, 2},                  // 1.5333
                                           PixelCase{8520, 568}, PixelCase{-120, -8}),
                         PrintedCaseName());

TEST(FormDesignText, ReadsControlsInOrderWithTheirContainers)
{
    const auto form = FormDesign::fromJsonText(R"({"name": "F", "caption": "T", "clientWidth": 300,
        "clientHeight": 150, "controls": [
          {"kind": "Frame", "name": "Frame1", "left": 15, "top": 30, "width": 150, "height": 75},
          {"kind": "Label", "name": "L", "container": "Frame1", "left": 0, "top": 0, "width": 30,
           "height": 15, "caption": "x", "visible": false}]})");
    ASSERT_TRUE(form.has_value());
    EXPECT_EQ(form->caption, QStringLiteral("T"));
    EXPECT_EQ(form->clientTwips, QSize(300, 150));
    ASSERT_EQ(form->controls.size(), 2u);
    EXPECT_EQ(form->controls[0].container, QStringLiteral("F"));
    EXPECT_EQ(form->controls[1].container, QStringLiteral("Frame1"));
    EXPECT_EQ(FormDesign::toPixels(form->controls[0].twips), QRect(1, 2, 10, 5));
    EXPECT_EQ(form->find(QStringLiteral("L"))->caption(), QStringLiteral("x"));
    EXPECT_FALSE(form->find(QStringLiteral("L"))->visible());
    EXPECT_TRUE(form->controls[0].visible());
    EXPECT_EQ(form->find(QStringLiteral("nope")), nullptr);
}

TEST(FormDesignText, RejectsTextThatIsNoDesign)
{
    EXPECT_FALSE(FormDesign::fromJsonText("not json").has_value());
    EXPECT_FALSE(FormDesign::fromJsonText("[1, 2]").has_value());
    EXPECT_FALSE(FormDesign::fromJsonText(R"({"name": "F"})").has_value());
    EXPECT_FALSE(FormDesign::fromJsonText(
                     R"({"name": "F", "clientWidth": 1, "clientHeight": 1, "controls": [{"name": "x"}]})")
                     .has_value());
}

// The real question box, answered with the mouse and the keyboard.
struct QuestionCase
{
    const char *name;
    bool tick;   // a click on the check box first
    int button;  // the button clicked, or -1 for the key
    Qt::Key key; // pressed when no button is clicked
    int choice;  // the answer expected
};

void PrintTo(const QuestionCase &c, std::ostream *os)
{
    *os << c.name;
}

class QtQuestion : public ::testing::TestWithParam<QuestionCase>
{
};

TEST_P(QtQuestion, AnswersTheButtonPressedAndTheCheckBox)
{
    const QuestionCase &c = GetParam();
    Platform::Question question;
    question.text = QStringLiteral("Keep the letters?");
    question.title = QStringLiteral("Title");
    question.choices = {QStringLiteral("Keep"), QStringLiteral("Drop"), QStringLiteral("Cancel")};
    question.defaultChoice = 0;
    question.cancelChoice = 2;
    question.checkBox = QStringLiteral("Don't ask again");

    QString shownText;
    QString shownTitle;
    QStringList shownButtons;
    QString shownCheckBox;
    int tries = 0;
    std::function<void()> answer = [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            if (++tries < 500)
                QTimer::singleShot(10, answer);
            return;
        }
        shownText = box->text();
        shownTitle = box->windowTitle();
        for (QAbstractButton *button : box->buttons())
            shownButtons.append(button->text());
        if (QCheckBox *check = box->checkBox()) {
            shownCheckBox = check->text();
            if (c.tick)
                QTest::mouseClick(check, Qt::LeftButton, Qt::NoModifier, QPoint(6, check->height() / 2));
        }
        QAbstractButton *target = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            if (c.button >= 0 && button->text() == question.choices.at(c.button))
                target = button;
        }
        if (target != nullptr)
            QTest::mouseClick(target, Qt::LeftButton);
        else
            QTest::keyClick(box, c.key);
        // Whatever went wrong, the box must not stay open.
        if (box->isVisible())
            box->done(0);
    };
    QTimer::singleShot(0, answer);

    QtPlatform platform;
    const Platform::QuestionAnswer got = platform.ask(question);
    ASSERT_LT(tries, 500) << "no question box appeared";
    EXPECT_EQ(shownText, question.text);
    EXPECT_EQ(shownTitle, question.title);
    shownButtons.sort();
    EXPECT_EQ(shownButtons, QStringList({"Cancel", "Drop", "Keep"}));
    EXPECT_EQ(shownCheckBox, question.checkBox);
    EXPECT_EQ(got.choice, c.choice);
    EXPECT_EQ(got.checked, c.tick);
}

INSTANTIATE_TEST_SUITE_P(
    Table, QtQuestion,
    ::testing::Values(QuestionCase{"first button", false, 0, Qt::Key_unknown, 0},
                      QuestionCase{"second button with the box ticked", true, 1, Qt::Key_unknown, 1},
                      QuestionCase{"cancel button", false, 2, Qt::Key_unknown, 2},
                      QuestionCase{"Enter presses the default", true, -1, Qt::Key_Return, 0},
                      QuestionCase{"Escape cancels", true, -1, Qt::Key_Escape, 2}),
    PrintedCaseName());

} // namespace
