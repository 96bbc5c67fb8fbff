#include "app/ui/form_design.h"
#include "app/ui/product_texts.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

// Where a stored design shows one of the product texts.
struct ShownText
{
    const char *design;  // resource path
    const char *control; // empty: the window's own caption
    const char *text;
};

void PrintTo(const ShownText &c, std::ostream *os)
{
    *os << QString::fromLatin1(c.design).section(QLatin1Char('/'), -1).toStdString() << " "
        << (*c.control != '\0' ? c.control : "window caption");
}

class StoredDesign : public ::testing::TestWithParam<ShownText>
{
};

TEST_P(StoredDesign, ShowsTheProductText)
{
    const FormDesign form = FormDesign::fromResource(QString::fromLatin1(GetParam().design));
    QString caption = form.caption;
    if (*GetParam().control != '\0') {
        const ControlDesign *control = form.find(QString::fromLatin1(GetParam().control));
        ASSERT_NE(control, nullptr) << GetParam().control;
        caption = control->caption();
    }
    EXPECT_EQ(caption, QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Table, StoredDesign,
                         ::testing::Values(ShownText{":/forms/main_window.json", "", ProductTexts::kTitle},
                                           ShownText{":/forms/about_window.json", "Label3",
                                                     ProductTexts::kAboutVersion}),
                         PrintedCaseName());

} // namespace
