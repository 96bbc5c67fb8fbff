// The "Keep file dates" option as a user works it: a click on the box, then Save or Delete
// clicked; the files keep their access and modification times to the nanosecond when it is ticked
// and carry the right bytes either way, and the choice is still there in the next window.
#include "ui_flows_fixture.h"

#include "app/model/user_settings.h"
#include "tests/support/case_name.h"

#include <QCheckBox>
#include <QStandardPaths>
#include <QStyleOptionButton>

#include <fcntl.h>
#include <sys/stat.h>

#include <ostream>

using namespace scrivlet;

namespace {

// Times far in the past, with nanoseconds that a copy through whole seconds or microseconds loses.
constexpr timespec kAccessed{1000000000, 123456789};
constexpr timespec kModified{1100000000, 987654321};

void setTimes(const QString &path)
{
    const timespec times[2] = {kAccessed, kModified};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0) << path.toStdString();
}

struct Times
{
    timespec accessed{};
    timespec modified{};
};

Times timesOf(const QString &path)
{
    struct stat info
    {
    };
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return {info.st_atim, info.st_mtim};
}

// Nanoseconds since the epoch, so a check compares (and prints) one number.
qint64 nanoseconds(const timespec &t)
{
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

class KeepDatesTest : public FlowsTest
{
protected:
    // Every test starts from the choice a new user has; the next test finds it so again.
    void SetUp() override
    {
        UserSettings::setKeepFileDates(false);
        FlowsTest::SetUp();
    }
    void TearDown() override { UserSettings::setKeepFileDates(false); }

    // A left click on the box's tick indicator, where the style draws it.
    void clickKeepDates()
    {
        QCheckBox *box = m_window->keepDatesOption();
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        ASSERT_FALSE(indicator.isEmpty());
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
    }
};

enum class Command { SaveOne, SaveTwo, DeleteTwo };

struct DatesCase
{
    Command command;
    bool ticked;
};

void PrintTo(const DatesCase &c, std::ostream *os)
{
    *os << (c.command == Command::SaveOne   ? "Save on one file "
            : c.command == Command::SaveTwo ? "Save on two files "
                                            : "Delete on two files ")
        << (c.ticked ? "keeps the dates" : "unticked moves the modification time");
}

class KeepDates : public KeepDatesTest, public ::testing::WithParamInterface<DatesCase>
{
};

TEST_P(KeepDates, ByTheReplaceCallWithTheRightBytes)
{
    const DatesCase c = GetParam();
    const int files = c.command == Command::SaveOne ? 1 : 2;
    QStringList paths;
    for (int i = 0; i < files; ++i)
        paths << makeFile(QStringLiteral("f%1.bin").arg(i), "own bytes" + block("old comment"));
    addRows(paths);
    for (const QString &path : paths)
        setTimes(path);

    if (c.ticked)
        clickKeepDates();
    ASSERT_EQ(m_window->keepDatesOption()->isChecked(), c.ticked);

    QByteArray expected = "own bytes";
    if (c.command == Command::DeleteTwo) {
        m_platform.queueAnswer(Platform::Answer::Yes);
        click(m_window->deleteButton());
    } else {
        type(QStringLiteral("new"));
        click(m_window->saveButton());
        expected += block("new");
    }
    EXPECT_EQ(m_platform.pendingAnswers(), 0u);
    for (const QString &path : paths) {
        const Times after = timesOf(path); // before the bytes are read, which moves the access time
        EXPECT_EQ(bytesOf(path), expected) << path.toStdString();
        if (c.ticked) {
            EXPECT_EQ(nanoseconds(after.accessed), nanoseconds(kAccessed)) << path.toStdString();
            EXPECT_EQ(nanoseconds(after.modified), nanoseconds(kModified)) << path.toStdString();
        } else {
            EXPECT_GT(nanoseconds(after.modified), nanoseconds(kModified)) << path.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeepDates,
    ::testing::Values(DatesCase{Command::SaveOne, true}, DatesCase{Command::SaveTwo, true},
                      DatesCase{Command::DeleteTwo, true}, DatesCase{Command::SaveOne, false},
                      DatesCase{Command::SaveTwo, false}, DatesCase{Command::DeleteTwo, false}),
    PrintedCaseName());

QByteArray settingsFile()
{
    QFile file(UserSettings::location());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no settings file>");
}

TEST_F(KeepDatesTest, TheChoiceIsRememberedForTheNextWindow)
{
    EXPECT_FALSE(m_window->keepDatesOption()->isChecked()) << "unticked for a new user";
    clickKeepDates();
    ASSERT_TRUE(m_window->keepDatesOption()->isChecked());
    EXPECT_TRUE(settingsFile().contains("[Options]\nKeepFileDates=true\n")) << settingsFile().toStdString();

    m_window = std::make_unique<MainWindow>(m_platform);
    m_window->show();
    EXPECT_TRUE(m_window->keepDatesOption()->isChecked()) << "read back by a new window";

    // Unticked by the keyboard this time: Space on the focused box.
    m_window->keepDatesOption()->setFocus();
    QTest::keyClick(m_window->keepDatesOption(), Qt::Key_Space);
    ASSERT_FALSE(m_window->keepDatesOption()->isChecked());
    EXPECT_TRUE(settingsFile().contains("KeepFileDates=false\n")) << settingsFile().toStdString();
    m_window = std::make_unique<MainWindow>(m_platform);
    EXPECT_FALSE(m_window->keepDatesOption()->isChecked());
}

// The tests' settings lie in a folder of the test program's own, never in the user's.
TEST(TestSettings, LieInATemporaryFolderOfTheirOwn)
{
    EXPECT_TRUE(QStandardPaths::isTestModeEnabled());
    const QString location = UserSettings::location();
    EXPECT_TRUE(location.startsWith(QDir::tempPath() + QLatin1Char('/'))) << location.toStdString();
    EXPECT_EQ(QFileInfo(location).dir().dirName(), QStringLiteral("Scrivlet"));
    EXPECT_EQ(QFileInfo(location).completeBaseName(), QStringLiteral("Scrivlet"));
    const QString userConfig = QDir::homePath() + QStringLiteral("/.config/");
    EXPECT_FALSE(location.startsWith(userConfig)) << location.toStdString();
}

} // namespace
