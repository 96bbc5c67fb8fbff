#include "app/platform/qt_platform.h"
#include "app/ui/form_design.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

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

INSTANTIATE_TEST_SUITE_P(
    Table, OpenDialogFilters,
    ::testing::Values(FilterCase{"All Files|*.*", {"All Files (*)"}},
                      FilterCase{"Text Files (*.txt)|*.txt", {"Text Files (*.txt) (*.txt)"}},
                      FilterCase{"Text|*.txt|Pictures|*.png;*.jpg",
                                 {"Text (*.txt)", "Pictures (*.png *.jpg)"}},
                      FilterCase{"Broken|", {}}, FilterCase{"", {}}, FilterCase{"No pattern", {}}),
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

} // namespace
