#include "app/core/comment_text.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

namespace {

TEST(CommentText, BlockIsTheCommentBetweenTheMarkers)
{
    EXPECT_EQ(CommentText::blockText("hi"), QStringLiteral("#.START.#hi#.END.# "));
    EXPECT_EQ(CommentText::blockText(""), QStringLiteral("#.START.##.END.# "));
    EXPECT_EQ(CommentText::blockText("a\r\nb").toLatin1(), QByteArrayLiteral("#.START.#a\r\nb#.END.# "));
    EXPECT_EQ(CommentText::blockBytes(CommentText::blockText("")), CommentText::MarkerBytes);
}

TEST(CommentText, LengthCountsBytesAfterTheEightBitConversion)
{
    // Two letters outside ASCII: two bytes each in UTF-8, one character each in the QString.
    const QString block = CommentText::blockText(QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(block.size(), 17 + 3);
    EXPECT_EQ(CommentText::blockBytes(block), 17 + 5);
}

struct FitCase
{
    qsizetype asciiBytes;
    qsizetype twoByteLetters;
    bool fits;
};

void PrintTo(const FitCase &c, std::ostream *os)
{
    *os << c.asciiBytes << " ASCII and " << c.twoByteLetters << " two-byte letters "
        << (c.fits ? "fit" : "are too long");
}

class CommentTextFits : public ::testing::TestWithParam<FitCase>
{
};

TEST_P(CommentTextFits, TheLibraryLimitIsOneMillionBlockBytes)
{
    const FitCase c = GetParam();
    const QString comment = QString(c.asciiBytes, QLatin1Char('a')) + QString(c.twoByteLetters, QChar(0xE9));
    EXPECT_EQ(CommentText::fitsLibrary(CommentText::blockText(comment)), c.fits)
        << c.asciiBytes << " + 2 x " << c.twoByteLetters;
}

INSTANTIATE_TEST_SUITE_P(Edges, CommentTextFits,
                         ::testing::Values(FitCase{999'983, 0, true}, FitCase{999'984, 0, false},
                                           FitCase{1, 499'991, true},  // 1 + 999,982 + 17 = 1,000,000
                                           FitCase{0, 499'992, false}, // 999,984 + 17
                                           FitCase{0, 0, true}),
                         PrintedCaseName());

} // namespace

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

class CommentTextLineBreaks : public ::testing::TestWithParam<LineBreakCase>
{
};

TEST_P(CommentTextLineBreaks, StoredAsCrLfShownAsLf)
{
    const LineBreakCase c = GetParam();
    const QString stored = CommentText::storedText(QString::fromLatin1(c.editor));
    EXPECT_EQ(stored.toLatin1(), QByteArray(c.stored));
    EXPECT_EQ(CommentText::shownText(stored).toLatin1(), QByteArray(c.shownAgain));
}

INSTANTIATE_TEST_SUITE_P(Table, CommentTextLineBreaks,
                         ::testing::Values(LineBreakCase{"one line", "one line", "one line"},
                                           LineBreakCase{"a\nb", "a\r\nb", "a\nb"},
                                           LineBreakCase{"a\r\nb", "a\r\nb", "a\nb"},
                                           LineBreakCase{"a\rb", "a\r\nb", "a\nb"},
                                           LineBreakCase{"\n\n", "\r\n\r\n", "\n\n"},
                                           LineBreakCase{"a\r\n\r\nb\n", "a\r\n\r\nb\r\n", "a\n\nb\n"}),
                         PrintedCaseName());

} // namespace
