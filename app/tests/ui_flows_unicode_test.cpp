// Text outside ASCII as a user types, reads and imports it: the question before a save, the
// refusal of comments that would not read back, and the decoding of stored and imported bytes.
#include "ui_flows_fixture.h"

#include "app/model/user_settings.h"
#include "tests/support/case_name.h"

#include <QCheckBox>
#include <QStringView>
#include <QStyleOptionButton>

#include <fcntl.h>
#include <sys/stat.h>

using namespace scrivlet;

namespace {

using Choice = int; // the index of the question's button
constexpr Choice kStoreUtf8 = 0;
constexpr Choice kDrop = 1;
constexpr Choice kCancel = 2;

const char *choiceName(Choice choice)
{
    return choice == kStoreUtf8 ? "store as UTF-8" : choice == kDrop ? "drop them" : "cancel";
}

QString text(const char16_t *characters)
{
    return QStringView(characters).toString();
}

// The comment of the report: four characters outside ASCII, two and three bytes long in UTF-8.
const char16_t *const kTyped = u"héllo – 日本";
const QByteArray kTypedUtf8 = "h\xC3\xA9llo \xE2\x80\x93 \xE6\x97\xA5\xE6\x9C\xAC";
const QByteArray kTypedDropped = "hllo  ";

class UnicodeFlowsTest : public FlowsTest
{
protected:
    std::vector<ScriptedPlatform::Call> questions() const
    {
        return m_platform.calls(ScriptedPlatform::Kind::Question);
    }

    // Three files, one with a comment of its own, in the list and ticked; or only the first.
    QStringList addFiles(int rows)
    {
        const QStringList all = {makeFile("a.txt", "A" + block("old")),
                                 makeFile("b.bin", QByteArray("B\0b", 3)), makeFile("c.txt", "")};
        const QStringList paths = all.mid(0, rows);
        addRows(paths);
        return paths;
    }

    QList<QByteArray> contents(const QStringList &paths) const
    {
        QList<QByteArray> all;
        for (const QString &path : paths)
            all.append(bytesOf(path));
        return all;
    }
};

// --- The question ---------------------------------------------------------------------------

struct ChoiceCase
{
    Choice choice;
    int rows;
};

void PrintTo(const ChoiceCase &c, std::ostream *os)
{
    *os << choiceName(c.choice) << " saving to " << c.rows << (c.rows == 1 ? " file" : " files");
}

class QuestionChoice : public UnicodeFlowsTest, public ::testing::WithParamInterface<ChoiceCase>
{
};

TEST_P(QuestionChoice, IsAskedBeforeAnyFileAndDecidesTheBytes)
{
    const ChoiceCase c = GetParam();
    const QStringList paths = addFiles(c.rows);
    const QList<QByteArray> before = contents(paths);
    type(text(kTyped));
    ASSERT_EQ(commentShown(), text(kTyped)) << "the keys did not reach the comment box";
    m_platform.queueQuestionAnswer(c.choice);
    click(m_window->saveButton());

    ASSERT_EQ(questions().size(), 1u);
    const ScriptedPlatform::Call question = questions()[0];
    EXPECT_EQ(question.text, text(u"The comment holds 4 characters that a classic comment cannot store: "
                                  u"é (U+00E9), – (U+2013), 日 (U+65E5), 本 (U+672C).\n\n"
                                  u"Store the comment as UTF-8, which keeps them (programs that know only "
                                  u"classic comments show them as other characters), or drop them?"));
    EXPECT_EQ(question.title, "Scrivlet 1.0");
    EXPECT_EQ(question.icon, Platform::Icon::Question);
    EXPECT_EQ(question.question.choices, QStringList({"Store as UTF-8", "Drop them", "Cancel"}));
    EXPECT_EQ(question.question.cancelChoice, kCancel);
    EXPECT_EQ(question.question.checkBox, "Don't ask again");
    EXPECT_EQ(m_platform.calls().front().kind, ScriptedPlatform::Kind::Question)
        << "the question comes before anything else of the save";

    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QByteArray prefix = before[i].startsWith('A') ? "A" : before[i];
        const QByteArray expected = c.choice == kStoreUtf8 ? prefix + block(kTypedUtf8)
                                    : c.choice == kDrop    ? prefix + block(kTypedDropped)
                                                           : before[i];
        EXPECT_EQ(bytesOf(paths[i]), expected) << paths[i].toStdString();
    }
    const bool saved = c.choice != kCancel;
    ASSERT_EQ(messages().size(), saved && c.rows == 1 ? 1u : 0u)
        << "a run over many files only reports failures";
    if (!messages().empty()) {
        EXPECT_EQ(messages()[0].text, "Comments saved successfully.");
    }
    EXPECT_EQ(commentShown(), text(kTyped)) << "the comment box keeps what was typed";

    // Not told to remember: the next save asks again.
    m_platform.queueQuestionAnswer(c.choice);
    click(m_window->saveButton());
    EXPECT_EQ(questions().size(), 2u);

    if (saved) {
        type("other");
        clickRow(static_cast<int>(paths.size()));
        EXPECT_EQ(commentShown(), c.choice == kStoreUtf8 ? text(kTyped) : QString::fromLatin1(kTypedDropped))
            << "the saved comment reads back";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, QuestionChoice,
                         ::testing::Values(ChoiceCase{kStoreUtf8, 1}, ChoiceCase{kDrop, 1},
                                           ChoiceCase{kCancel, 1}, ChoiceCase{kStoreUtf8, 3},
                                           ChoiceCase{kDrop, 3}, ChoiceCase{kCancel, 3}),
                         PrintedCaseName());

class DontAskAgain : public UnicodeFlowsTest, public ::testing::WithParamInterface<Choice>
{
};

TEST_P(DontAskAgain, KeepsAChoiceForTheSessionButNeverACancel)
{
    const Choice choice = GetParam();
    const QStringList paths = addFiles(3);
    type(text(kTyped));
    m_platform.queueQuestionAnswer(choice, true);
    click(m_window->saveButton());
    ASSERT_EQ(questions().size(), 1u);

    // Another text outside ASCII, another save: no answer is queued, so a question is cancelled.
    type(text(u"ÿ œuvre"));
    click(m_window->saveButton());
    const QByteArray expected = choice == kStoreUtf8 ? block("\xC3\xBF \xC5\x93uvre")
                                : choice == kDrop    ? block(" uvre")
                                                     : QByteArray();
    if (choice == kCancel) {
        EXPECT_EQ(questions().size(), 2u) << "a cancel is not remembered";
        EXPECT_EQ(bytesOf(paths[2]), "");
    } else {
        EXPECT_EQ(questions().size(), 1u) << "asked again although told not to";
        EXPECT_EQ(bytesOf(paths[2]), expected);
        EXPECT_EQ(bytesOf(paths[0]), "A" + expected);
    }
    // Plain ASCII is never asked about.
    type("plain");
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(paths[2]), block("plain"));
    EXPECT_EQ(questions().size(), choice == kCancel ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Choices, DontAskAgain, ::testing::Values(kStoreUtf8, kDrop, kCancel),
                         [](const auto &testInfo) { return caseName(choiceName(testInfo.param)); });

TEST_F(UnicodeFlowsTest, ANoBreakSpaceIsStoredAsTyped)
{
    const QString path = makeFile("n.txt", "");
    addRows({path});
    type(text(u"10\u00A0km"));
    m_platform.queueQuestionAnswer(kStoreUtf8);
    click(m_window->saveButton());
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions()[0].text.section(QLatin1Char('\n'), 0, 0),
              "The comment holds 1 character that a classic comment cannot store: U+00A0.");
    EXPECT_EQ(bytesOf(path), block("10\xC2\xA0km"));
}

// Both flags reach the library: the letters are stored as UTF-8 and the files keep their dates.
TEST_F(UnicodeFlowsTest, Utf8WithFileDatesKept)
{
    struct Restore
    {
        ~Restore() { UserSettings::setKeepFileDates(false); }
    } restore;
    QCheckBox *keepDates = m_window->keepDatesOption();
    if (!keepDates->isChecked()) {
        QStyleOptionButton option;
        option.initFrom(keepDates);
        const QRect indicator =
            keepDates->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, keepDates);
        QTest::mouseClick(keepDates, Qt::LeftButton, Qt::NoModifier, indicator.center());
    }
    ASSERT_TRUE(keepDates->isChecked());
    const QStringList paths = addFiles(3);
    const timespec modified{1100000000, 987654321};
    const timespec times[2] = {modified, modified};
    for (const QString &path : paths)
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    type(text(u"é"));
    m_platform.queueQuestionAnswer(kStoreUtf8);
    click(m_window->saveButton());
    for (const QString &path : paths) {
        EXPECT_TRUE(bytesOf(path).endsWith(block("\xC3\xA9"))) << path.toStdString();
        struct stat info
        {
        };
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mtim.tv_sec, modified.tv_sec) << path.toStdString();
        EXPECT_EQ(info.st_mtim.tv_nsec, modified.tv_nsec) << path.toStdString();
    }
}

// The size limit counts the bytes stored: two for each letter kept as UTF-8, none for a dropped one.
TEST_F(UnicodeFlowsTest, TheLimitCountsUtf8Bytes)
{
    const QString path = makeFile("big.txt", "head" + block("old"));
    addRows({path});
    const QString largest = QLatin1Char('a') + QString(499'991, QChar(0xE9)); // 999,983 bytes
    paste(largest);
    m_platform.queueQuestionAnswer(kStoreUtf8);
    click(m_window->saveButton());
    QByteArray stored = "a";
    for (int i = 0; i < 499'991; ++i)
        stored += "\xC3\xA9";
    EXPECT_EQ(bytesOf(path), "head" + block(stored));

    paste(largest + QChar(0xE9));
    m_platform.queueQuestionAnswer(kStoreUtf8);
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(path), "head" + block(stored)) << "the old comment stays";
    m_platform.queueQuestionAnswer(kDrop);
    click(m_window->saveButton());
    EXPECT_EQ(bytesOf(path), "head" + block("a")) << "dropped letters take no room";
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages()[1].text, "The comment is too long to be saved: 999985 bytes, at most 999983.");
    EXPECT_EQ(questions().size(), 3u);
}

// --- Comments that would not read back -----------------------------------------------------

struct MarkerCase
{
    const char *name;
    const char16_t *typed;
    std::optional<Choice> answer; // for a text outside ASCII
    bool refused;
    QByteArray stored; // when saved
};

void PrintTo(const MarkerCase &c, std::ostream *os)
{
    *os << c.name;
}

class MarkerRule : public UnicodeFlowsTest, public ::testing::WithParamInterface<MarkerCase>
{
};

TEST_P(MarkerRule, RefusesBeforeAnyFileIsTouched)
{
    const MarkerCase &c = GetParam();
    type(text(c.typed));
    for (const int rows : {1, 3}) {
        SCOPED_TRACE(rows);
        m_window->clearListView();
        m_platform.clearCalls();
        const QStringList paths = addFiles(rows);
        const QList<QByteArray> before = contents(paths);
        if (c.answer)
            m_platform.queueQuestionAnswer(*c.answer);
        click(m_window->saveButton());
        EXPECT_EQ(m_platform.pendingAnswers(), 0u);
        if (c.refused) {
            EXPECT_EQ(contents(paths), before) << "a file was touched";
            ASSERT_EQ(messages().size(), 1u);
            EXPECT_EQ(
                messages()[0].text,
                "The comment cannot be saved: it contains \"#.START.#\" or \"#.END.# \", or begins with "
                "\".START.#\", so it would not read back as written. No file was changed.");
            EXPECT_EQ(messages()[0].icon, Platform::Icon::Exclamation);
            EXPECT_TRUE(m_platform.calls(ScriptedPlatform::Kind::ProcessEvents).empty()) << "a run started";
        } else {
            for (const QString &path : paths)
                EXPECT_TRUE(bytesOf(path).endsWith(block(c.stored))) << path.toStdString();
            clickRow(1);
            EXPECT_EQ(commentShown(), text(c.typed)) << "reads back as typed";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MarkerRule,
    ::testing::Values(
        MarkerCase{"start marker inside", u"a #.START.# b", std::nullopt, true, {}},
        MarkerCase{"end marker inside", u"a #.END.#  b", std::nullopt, true, {}},
        MarkerCase{"end marker at the end", u"ends #.END.# ", std::nullopt, true, {}},
        MarkerCase{"begins with the start marker's tail", u".START.# note", std::nullopt, true, {}},
        MarkerCase{"start marker's tail later", u"note .START.#", std::nullopt, false, "note .START.#"},
        MarkerCase{"end marker without its blank", u"a #.END.#b", std::nullopt, false, "a #.END.#b"},
        MarkerCase{"start marker across lines", u"#.START.\n#", std::nullopt, false, "#.START.\r\n#"},
        // Dropping a letter joins the bytes around it into a marker; kept as UTF-8 it does not.
        MarkerCase{"marker formed by dropping a letter", u"#.STARTé.#", kDrop, true, {}},
        MarkerCase{"no marker when the letter is kept", u"#.STARTé.#", kStoreUtf8, false,
                   "#.START\xC3\xA9.#"},
        MarkerCase{"marker with letters kept as UTF-8", u"é #.END.# é", kStoreUtf8, true, {}}),
    PrintedCaseName());

// --- Reading stored bytes ------------------------------------------------------------------

struct ReadCase
{
    const char *name;
    QByteArray stored;
    const char16_t *shown;
};

void PrintTo(const ReadCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReadEncoding : public UnicodeFlowsTest, public ::testing::WithParamInterface<ReadCase>
{
};

TEST_P(ReadEncoding, Utf8WhenValidElseWindows1252)
{
    const ReadCase &c = GetParam();
    const QString path = makeFile("stored.txt", "body" + block(c.stored));
    addRows({makeFile("other.txt", "x"), path});
    type("typed");
    clickRow(1);
    EXPECT_EQ(commentShown(), text(c.shown));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(bytesOf(path), "body" + block(c.stored)) << "reading changes nothing";
}

QByteArray bytesFrom(int first, int last)
{
    QByteArray bytes;
    for (int b = first; b <= last; ++b)
        bytes.append(static_cast<char>(b));
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadEncoding,
    ::testing::Values(
        ReadCase{"utf8", kTypedUtf8, kTyped},
        ReadCase{"utf8 over lines", "caf\xC3\xA9\r\nna\xC3\xAFve", u"café\nnaïve"},
        ReadCase{"latin1 letters", "caf\xE9 na\xEFve", u"café naïve"},
        // The code page's characters in the order of their bytes; the five undefined ones are U+FFFD.
        ReadCase{"windows1252 bytes 0x80 to 0x9F", bytesFrom(0x80, 0x9F),
                 u"€\uFFFD‚ƒ„…†‡ˆ‰Š‹Œ\uFFFDŽ\uFFFD\uFFFD‘’“”•–—˜™š›œ\uFFFDžŸ"},
        ReadCase{"windows1252 bytes 0xA0 to 0xFF", bytesFrom(0xA0, 0xFF),
                 u"\u00A0¡¢£¤¥¦§¨©ª«¬\u00AD®¯°±²³´µ¶·¸¹º»¼½¾¿ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞß"
                 u"àáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ"},
        ReadCase{"a stray byte makes all of it windows1252", "\xC3\xA9 \xE9", u"Ã© é"}),
    PrintedCaseName());

// --- Import --------------------------------------------------------------------------------

struct ImportCase
{
    const char *name;
    QByteArray file;
    const char16_t *shown;
    QByteArray savedAsUtf8;
};

void PrintTo(const ImportCase &c, std::ostream *os)
{
    *os << c.name;
}

class ImportEncoding : public UnicodeFlowsTest, public ::testing::WithParamInterface<ImportCase>
{
};

TEST_P(ImportEncoding, EightBitFilesAreWindows1252AndSaveAsUtf8)
{
    const ImportCase &c = GetParam();
    const QString target = makeFile("target.txt", "T");
    addRows({target});
    type("before");
    m_platform.queueOpenFile(makeFile("notes.txt", c.file));
    click(m_window->importButton());
    EXPECT_EQ(commentShown(), text(c.shown));
    EXPECT_TRUE(messages().empty());
    m_platform.queueQuestionAnswer(kStoreUtf8);
    click(m_window->saveButton());
    EXPECT_EQ(questions().size(), 1u);
    EXPECT_EQ(bytesOf(target), "T" + block(c.savedAsUtf8));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImportEncoding,
    ::testing::Values(ImportCase{"latin1", "caf\xE9 na\xEFve\r\nzwei", u"café naïve\nzwei",
                                 "caf\xC3\xA9 na\xC3\xAFve\r\nzwei"},
                      ImportCase{"windows1252",
                                 "\x93quoted\x94 \x96 \x80"
                                 "5",
                                 u"“quoted” – €5",
                                 "\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x80\x93 \xE2\x82\xAC"
                                 "5"},
                      ImportCase{"utf8 with a byte order mark",
                                 "\xEF\xBB\xBF"
                                 "caf\xC3\xA9",
                                 u"café", "caf\xC3\xA9"}),
    PrintedCaseName());

} // namespace
