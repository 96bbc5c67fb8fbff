// The multi-line text box with lines far longer than a screen line: what it gives back, and how
// typing, copying and pasting behave where it holds a long line in pieces.
#include "app/ui/text_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

using namespace scrivlet;

namespace {

constexpr int Piece = TextBox::PieceLength;

// A line of @p length characters without blanks, no two neighbours alike, so a character lost or
// doubled anywhere shows.
QString longLine(int length, int seed = 0)
{
    QString line;
    line.reserve(length);
    for (int i = 0; i < length; ++i)
        line.append(QChar(0x21 + (i * 7 + seed) % 94));
    return line;
}

class TextBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_box.resize(400, 200);
        m_box.show();
        m_box.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_box));
        m_box.setFocus();
    }

    void paste(const QString &text)
    {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(&m_box, Qt::Key_V, Qt::ControlModifier);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&m_box, key, modifiers);
    }
    // The caret at a document position, as a click there puts it.
    void caretAt(int position)
    {
        QTextCursor cursor = m_box.textCursor();
        cursor.setPosition(position);
        m_box.setTextCursor(cursor);
    }
    int blocks() const { return m_box.document()->blockCount(); }

    TextBox m_box;
};

struct TextCase
{
    const char *name;
    QString given;
    QString expected;
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << c.name;
}

class TextBoxTexts : public TextBoxTest, public ::testing::WithParamInterface<TextCase>
{
};

TEST_P(TextBoxTexts, GivesBackWhatItWasGivenWithLineFeeds)
{
    m_box.setText(GetParam().given);
    EXPECT_EQ(m_box.text(), GetParam().expected);
    for (QTextBlock block = m_box.document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        EXPECT_LE(text.size(), 2 * Piece) << "paragraph " << block.blockNumber() << " is held whole";
        EXPECT_FALSE(!text.isEmpty() && text.back().isHighSurrogate()) << "a pair is cut apart";
    }
    // Pasted, it reads the same.
    m_box.clear();
    paste(GetParam().given);
    EXPECT_EQ(m_box.text(), GetParam().expected);
}

const QString kSmile = QString::fromUtf8("\xF0\x9F\x98\x80");

INSTANTIATE_TEST_SUITE_P(
    Texts, TextBoxTexts,
    ::testing::Values(
        TextCase{"Empty", QString(), QString()},
        TextCase{"ShortLines", QStringLiteral("one\r\ntwo\rthree\nfour"),
                 QStringLiteral("one\ntwo\nthree\nfour")},
        TextCase{"OnePieceExactly", longLine(Piece), longLine(Piece)},
        TextCase{"OneMoreThanAPiece", longLine(Piece + 1), longLine(Piece + 1)},
        TextCase{"ManyPieces", longLine(10 * Piece + 17), longLine(10 * Piece + 17)},
        TextCase{"PairAcrossTheCut", longLine(Piece - 1) + kSmile + longLine(Piece),
                 longLine(Piece - 1) + kSmile + longLine(Piece)},
        TextCase{"BlanksInALongLine", QString(QStringLiteral("lorem ipsum ")).repeated(2000),
                 QString(QStringLiteral("lorem ipsum ")).repeated(2000)},
        TextCase{"LongAndShortLines",
                 longLine(3 * Piece) + QStringLiteral("\r\n\r\nshort\r\n") + longLine(2 * Piece + 5, 3),
                 longLine(3 * Piece) + QStringLiteral("\n\nshort\n") + longLine(2 * Piece + 5, 3)},
        TextCase{"EndsWithALineBreak", longLine(Piece * 2) + QStringLiteral("\n"),
                 longLine(Piece * 2) + QStringLiteral("\n")}),
    [](const ::testing::TestParamInfo<TextCase> &param) { return std::string(param.param.name); });

struct JointCase
{
    const char *name;
    bool caretAfterJoint; // at the start of the next piece, else at the end of the piece before
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *insert; // what the key puts where the joint is
    int removeBefore;   // characters the key takes before the joint
    int removeAfter;    // characters the key takes after the joint
};

void PrintTo(const JointCase &c, std::ostream *os)
{
    *os << c.name;
}

class TextBoxJoints : public TextBoxTest, public ::testing::WithParamInterface<JointCase>
{
};

TEST_P(TextBoxJoints, AKeyAtAJointActsAsInTheWholeLine)
{
    const JointCase &c = GetParam();
    const QString line = longLine(3 * Piece);
    paste(line + QStringLiteral("\nnext line"));
    ASSERT_GT(blocks(), 2) << "the long line is held in pieces";
    const QTextBlock second = m_box.document()->findBlockByNumber(1);
    const int joint = second.position() - 1; // characters of the line before the joint
    caretAt(c.caretAfterJoint ? second.position() : second.position() - 1);
    key(c.key, c.modifiers);
    QString expected = line + QStringLiteral("\nnext line");
    expected.remove(joint, c.removeAfter);
    expected.insert(joint, QString::fromLatin1(c.insert));
    expected.remove(joint - c.removeBefore, c.removeBefore);
    EXPECT_EQ(m_box.text(), expected);
    // Undone, the text is whole again.
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_box.text(), line + QStringLiteral("\nnext line"));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TextBoxJoints,
    ::testing::Values(JointCase{"BackspaceAfterTheJoint", true, Qt::Key_Backspace, Qt::NoModifier, "", 1, 0},
                      JointCase{"BackspaceBeforeTheJoint", false, Qt::Key_Backspace, Qt::NoModifier, "", 1,
                                0},
                      JointCase{"DeleteBeforeTheJoint", false, Qt::Key_Delete, Qt::NoModifier, "", 0, 1},
                      JointCase{"DeleteAfterTheJoint", true, Qt::Key_Delete, Qt::NoModifier, "", 0, 1},
                      JointCase{"EnterAfterTheJoint", true, Qt::Key_Return, Qt::NoModifier, "\n", 0, 0},
                      JointCase{"EnterBeforeTheJoint", false, Qt::Key_Return, Qt::NoModifier, "\n", 0, 0},
                      JointCase{"ShiftEnter", true, Qt::Key_Return, Qt::ShiftModifier, "\n", 0, 0},
                      JointCase{"TypingAfterTheJoint", true, Qt::Key_Q, Qt::NoModifier, "q", 0, 0},
                      JointCase{"TypingBeforeTheJoint", false, Qt::Key_Q, Qt::NoModifier, "q", 0, 0}),
    [](const ::testing::TestParamInfo<JointCase> &param) { return std::string(param.param.name); });

TEST_F(TextBoxTest, EnterInsideAContinuingPieceMakesARealLineBreak)
{
    const QString line = longLine(3 * Piece);
    paste(line);
    const QTextBlock second = m_box.document()->findBlockByNumber(1);
    caretAt(second.position() + 10);
    key(Qt::Key_Return);
    key(Qt::Key_X);
    const int at = second.position() - 1 + 10;
    EXPECT_EQ(m_box.text(), line.left(at) + QStringLiteral("\nx") + line.mid(at));
}

TEST_F(TextBoxTest, CopyingAcrossJointsGivesTheLineWhole)
{
    const QString line = longLine(5 * Piece);
    paste(QStringLiteral("head\n") + line);
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("head\n") + line);

    // From inside the first piece to the end.
    caretAt(5 + 100);
    key(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), line.mid(100));

    // Cut and pasted back at the same place, nothing changes.
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(m_box.text(), QStringLiteral("head\n") + line.left(100));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_box.text(), QStringLiteral("head\n") + line);
}

TEST_F(TextBoxTest, PastesIntoTheMiddleUndoAndRedo)
{
    QTest::keyClicks(&m_box, "abcd");
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    const QString line = longLine(4 * Piece + 3);
    paste(line);
    EXPECT_EQ(m_box.text(), QStringLiteral("ab") + line + QStringLiteral("cd"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_box.text(), QStringLiteral("abcd"));
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_box.text(), QStringLiteral("ab") + line + QStringLiteral("cd"));
}

TEST_F(TextBoxTest, RepeatedPastesIntoOneLineStayExactAndInPieces)
{
    QString expected;
    for (int round = 0; round < 12; ++round) {
        const QString part = longLine(Piece / 2 + round, round);
        paste(part);
        expected += part;
    }
    EXPECT_EQ(m_box.text(), expected);
    for (QTextBlock block = m_box.document()->begin(); block.isValid(); block = block.next())
        EXPECT_LE(block.text().size(), 2 * Piece);
}

} // namespace
