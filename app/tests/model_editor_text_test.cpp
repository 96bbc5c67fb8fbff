#include "app/model/editor_text.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

struct LineBreakCase
{
    const char *editor;
    const char *stored;
    const char *shownAgain;
};

// The typed text with its line breaks spelt out: "a\r\nb" is "a CR LF b".
void PrintTo(const LineBreakCase &c, std::ostream *os)
{
    const char *separator = "";
    bool inWord = false;
    for (const char *p = c.editor; *p != '\0'; ++p) {
        const bool lineBreak = *p == '\r' || *p == '\n';
        if (lineBreak || !inWord)
            *os << separator;
        *os << (*p == '\r' ? "CR" : *p == '\n' ? "LF" : std::string(1, *p));
        separator = " ";
        inWord = !lineBreak;
    }
}

class EditorTextLineBreaks : public ::testing::TestWithParam<LineBreakCase>
{
};

TEST_P(EditorTextLineBreaks, StoredAsCrLfShownAsLf)
{
    const LineBreakCase c = GetParam();
    const QString stored = EditorText::storedText(QString::fromLatin1(c.editor));
    EXPECT_EQ(stored.toLatin1(), QByteArray(c.stored));
    EXPECT_EQ(EditorText::shownText(stored).toLatin1(), QByteArray(c.shownAgain));
}

INSTANTIATE_TEST_SUITE_P(Table, EditorTextLineBreaks,
                         ::testing::Values(LineBreakCase{"one line", "one line", "one line"},
                                           LineBreakCase{"a\nb", "a\r\nb", "a\nb"},
                                           LineBreakCase{"a\r\nb", "a\r\nb", "a\nb"},
                                           LineBreakCase{"a\rb", "a\r\nb", "a\nb"},
                                           LineBreakCase{"\n\n", "\r\n\r\n", "\n\n"},
                                           LineBreakCase{"a\r\n\r\nb\n", "a\r\n\r\nb\r\n", "a\n\nb\n"}),
                         PrintedCaseName());

} // namespace
