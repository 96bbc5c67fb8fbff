#include "ui_window_fixture.h"

#include "tests/support/case_name.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace scrivlet;

namespace {

using Kind = ScriptedPlatform::Kind;

class BrowseTest : public WindowTest
{
protected:
    void chooseMultiple(bool subfolders)
    {
        m_window->multipleOption()->setChecked(true);
        m_window->subfoldersCheck()->setChecked(subfolders);
    }
    bool listCommandsEnabled() const
    {
        return m_window->deleteButton()->isEnabled() && m_window->clearButton()->isEnabled();
    }
    bool allTicked() const { return model().checkedPositions().size() == model().count(); }
};

TEST_F(BrowseTest, SingleCancelledChangesNothingButRefreshesStatus)
{
    click(m_window->browseButton());
    const auto opens = m_platform.calls(Kind::OpenFile);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].open.filter, QStringLiteral("All Files|*.*"));
    EXPECT_EQ(model().count(), 0);
    EXPECT_EQ(status(), QStringLiteral("Total Files: 0"));
    EXPECT_FALSE(m_window->deleteButton()->isEnabled());
    EXPECT_TRUE(m_platform.messages().empty());
}

TEST_F(BrowseTest, SingleAddsOnTopAndTicksEveryRow)
{
    const QString a = makeFile(QStringLiteral("a.txt"));
    const QString b = makeFile(QStringLiteral("b.txt"));
    m_platform.queueOpenFile(a);
    click(m_window->browseButton());
    m_window->uncheckAllItems();
    m_platform.queueOpenFile(b);
    m_platform.queueOpenFile(b);
    click(m_window->browseButton());
    click(m_window->browseButton());
    EXPECT_EQ(rowPaths(), (QStringList{b, b, a}));
    EXPECT_TRUE(allTicked());
    EXPECT_EQ(m_window->pathEdit()->text(), b);
    EXPECT_TRUE(listCommandsEnabled());
    EXPECT_EQ(status(), QStringLiteral("Total Files: 3"));
}

TEST_F(BrowseTest, SingleWithAMissingFileOrAFolderLeavesEverythingAsItWas)
{
    const QString a = makeFile(QStringLiteral("a.txt"));
    m_platform.queueOpenFile(a);
    m_window->browseClicked();
    m_platform.queueOpenFile(m_dir.filePath(QStringLiteral("gone.txt")));
    m_window->browseClicked();
    m_platform.queueOpenFile(makeFolder(QStringLiteral("sub")));
    m_window->browseClicked();
    EXPECT_EQ(rowPaths(), QStringList{a});
    EXPECT_EQ(m_window->pathEdit()->text(), a);
}

TEST_F(BrowseTest, SingleNeverClearsAndDoesNotExcludeDbFiles)
{
    const QString db = makeFile(QStringLiteral("thumbs.db"));
    m_platform.queueOpenFile(db);
    m_window->browseClicked();
    EXPECT_EQ(rowPaths(), QStringList{db});
}

TEST_F(BrowseTest, MultipleCancelledLeavesTheListUntouched)
{
    const QString a = makeFile(QStringLiteral("a.txt"));
    m_platform.queueOpenFile(a);
    m_window->browseClicked();
    chooseMultiple(false);
    m_window->browseClicked();
    const auto browses = m_platform.calls(Kind::BrowseForFolder);
    ASSERT_EQ(browses.size(), 1u);
    EXPECT_EQ(browses[0].text, QStringLiteral("Scrivlet - Please select input folder."));
    EXPECT_EQ(browses[0].startFolder, QStringLiteral("/"));
    EXPECT_EQ(rowPaths(), QStringList{a});
    EXPECT_EQ(m_window->pathEdit()->text(), a);
    EXPECT_TRUE(m_platform.messages().empty());
}

TEST_F(BrowseTest, MultipleClearsFirstThenListsTheFolderIncludingHiddenFiles)
{
    const QString old = makeFile(QStringLiteral("elsewhere/old.txt"));
    m_platform.queueOpenFile(old);
    m_window->browseClicked();
    const QString folder = makeFolder(QStringLiteral("pick"));
    const QString x = makeFile(QStringLiteral("pick/x"));
    const QString hidden = makeFile(QStringLiteral("pick/.hidden"));
    makeFile(QStringLiteral("pick/sub/y"));
    chooseMultiple(false);
    m_platform.queueFolder(folder);
    click(m_window->browseButton());
    // Added in name order, so the last name is on top.
    EXPECT_EQ(rowPaths(), (QStringList{x, hidden}));
    EXPECT_EQ(m_window->pathEdit()->text(), folder);
    EXPECT_TRUE(allTicked());
    EXPECT_EQ(status(), QStringLiteral("Total Files: 2"));
}

TEST_F(BrowseTest, MultipleWithSubfoldersShowsDeepestLastFilesOnTop)
{
    const QString folder = makeFolder(QStringLiteral("pick"));
    const QString x = makeFile(QStringLiteral("pick/x"));
    const QString y = makeFile(QStringLiteral("pick/A/y"));
    const QString z = makeFile(QStringLiteral("pick/B/z"));
    makeFile(QStringLiteral("pick/.hidden"));
    makeFile(QStringLiteral("pick/.secret/w"));
    chooseMultiple(true);
    m_platform.queueFolder(folder);
    m_window->browseClicked();
    EXPECT_EQ(rowPaths(), (QStringList{z, y, x}));
    EXPECT_TRUE(allTicked());
    EXPECT_TRUE(listCommandsEnabled());
}

TEST_F(BrowseTest, FolderEndingInASeparatorKeepsTheDoubledOneWithoutSubfoldersOnly)
{
    const QString folder = makeFolder(QStringLiteral("root")) + QLatin1Char('/');
    makeFile(QStringLiteral("root/f"));
    chooseMultiple(false);
    m_platform.queueFolder(folder);
    m_window->browseClicked();
    EXPECT_EQ(rowPaths(), QStringList{folder + QStringLiteral("/f")});
    m_window->subfoldersCheck()->setChecked(true);
    m_platform.queueFolder(folder);
    m_window->browseClicked();
    EXPECT_EQ(rowPaths(), QStringList{folder + QStringLiteral("f")});
}

struct EmptyCase
{
    const char *file; // nullptr: no file at all
    bool subfolders;
};

void PrintTo(const EmptyCase &c, std::ostream *os)
{
    *os << (c.file != nullptr ? c.file : "no file") << (c.subfolders ? " with sub-folders" : "");
}

class BrowseEmptyFolder : public BrowseTest, public ::testing::WithParamInterface<EmptyCase>
{
};

TEST_P(BrowseEmptyFolder, EmptiesTheListAndSaysThereIsNothingToProcess)
{
    const QString a = makeFile(QStringLiteral("a.txt"));
    m_platform.queueOpenFile(a);
    m_window->browseClicked();
    const QString folder = makeFolder(QStringLiteral("empty"));
    if (GetParam().file != nullptr)
        makeFile(QStringLiteral("empty/") + QString::fromLatin1(GetParam().file));
    chooseMultiple(GetParam().subfolders);
    m_platform.queueFolder(folder);
    m_window->browseClicked();
    EXPECT_EQ(model().count(), 0);
    const auto messages = m_platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral(" No  file to process."));
    EXPECT_EQ(messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(messages[0].icon, Platform::Icon::Exclamation);
    EXPECT_EQ(messages[0].buttons, Platform::Buttons::Ok);
    EXPECT_FALSE(m_window->deleteButton()->isEnabled());
    EXPECT_FALSE(m_window->clearButton()->isEnabled());
    EXPECT_EQ(status(), QStringLiteral("Total Files: 0"));
}

INSTANTIATE_TEST_SUITE_P(Folders, BrowseEmptyFolder,
                         ::testing::Values(EmptyCase{nullptr, false}, EmptyCase{nullptr, true},
                                           EmptyCase{"thumbs.db", false}, EmptyCase{"thumbs.db", true},
                                           EmptyCase{"sub/only/deep.db", true}, EmptyCase{".hidden", true}),
                         PrintedCaseName());

TEST_F(BrowseTest, UpperCaseDbIsListed)
{
    const QString folder = makeFolder(QStringLiteral("pick"));
    const QString upper = makeFile(QStringLiteral("pick/THUMBS.DB"));
    makeFile(QStringLiteral("pick/thumbs.db"));
    chooseMultiple(false);
    m_platform.queueFolder(folder);
    m_window->browseClicked();
    EXPECT_EQ(rowPaths(), QStringList{upper});
    EXPECT_TRUE(m_platform.messages().empty());
}

} // namespace
