#include "ui_flows_fixture.h"

#include "app/platform/qt_platform.h"
#include "tests/support/case_name.h"

using namespace scrivlet;

namespace {

TEST_F(FlowsTest, ImportAsksForATextFileAndCancelChangesNothing)
{
    type("before");
    click(m_window->importButton());
    const auto opens = m_platform.calls(ScriptedPlatform::Kind::OpenFile);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(QtPlatform::qtFilters(opens[0].open.filter),
              QStringList({"Text Files (*.txt)", "All files (*)"}));
    EXPECT_EQ(opens[0].open.filterIndex, 1);
    EXPECT_TRUE(opens[0].open.fileName.isEmpty());
    EXPECT_EQ(opens[0].open.title, "Import");
    EXPECT_EQ(commentShown(), "before");
    EXPECT_TRUE(messages().empty());
}

struct ImportSizeCase
{
    qsizetype bytes;
    bool accepted;
};

void PrintTo(const ImportSizeCase &c, std::ostream *os)
{
    *os << c.bytes << " bytes " << (c.accepted ? "accepted" : "refused");
}

class ImportSize : public FlowsTest, public ::testing::WithParamInterface<ImportSizeCase>
{
};

TEST_P(ImportSize, TheLimitIs65535Bytes)
{
    QByteArray content(GetParam().bytes, 'q');
    content.replace(0, 6, "top\r\n!");
    const QString path = makeFile("import.txt", content);
    const QString row = makeFile("row.txt", "r");
    addRows({row});
    type("before");
    m_platform.queueOpenFile(path);
    click(m_window->importButton());
    const auto busy = m_platform.calls(ScriptedPlatform::Kind::BusyCursor);
    ASSERT_EQ(busy.size(), 2u);
    EXPECT_TRUE(busy[0].busy);
    EXPECT_FALSE(busy[1].busy);
    if (GetParam().accepted) {
        EXPECT_TRUE(messages().empty());
        const QString expected = QString::fromLatin1(content).replace("\r\n", "\n");
        EXPECT_EQ(commentShown(), expected);
    } else {
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].text, "Invalid file size.");
        EXPECT_EQ(messages()[0].title, "65 KB Limit");
        EXPECT_EQ(messages()[0].icon, Platform::Icon::Exclamation);
        EXPECT_EQ(commentShown(), "before");
    }
    EXPECT_EQ(m_window->fileModel()->count(), 1) << "the list is not touched";
    EXPECT_EQ(bytesOf(row), "r") << "nothing is saved by an import";
}

INSTANTIATE_TEST_SUITE_P(Edges, ImportSize,
                         ::testing::Values(ImportSizeCase{65'535, true}, ImportSizeCase{65'536, false},
                                           ImportSizeCase{6, true}),
                         PrintedCaseName());

TEST_F(FlowsTest, ImportOfAFileThatCannotBeOpenedNamesIt)
{
    type("before");
    for (const QString &path : {m_dir.filePath("missing.txt"), m_dir.path()}) {
        m_platform.clearCalls();
        m_platform.queueOpenFile(path);
        click(m_window->importButton());
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].text, "Can't open file: " + path);
        EXPECT_EQ(messages()[0].title, "Scrivlet 1.0");
        EXPECT_EQ(messages()[0].icon, Platform::Icon::Exclamation);
        EXPECT_TRUE(m_platform.calls(ScriptedPlatform::Kind::BusyCursor).empty());
        EXPECT_EQ(commentShown(), "before");
    }
}

} // namespace
