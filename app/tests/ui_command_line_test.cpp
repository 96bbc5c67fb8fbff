// Files and folders named on the command line: listed exactly as a drop of them lists them. Each
// case gives one window the command line and drops the same items on a second window with a real
// drop event, then compares the two lists, their ticks, commands and status texts, and checks the
// names listed.
#include "ui_window_fixture.h"

#include "app/model/program_arguments.h"
#include "app/ui/command_line_items.h"

#include "app/ui/file_list_view.h"
#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <ostream>

using namespace scrivlet;

namespace {

struct CommandLineCase
{
    const char *name;
    QList<QByteArray> arguments; ///< "@" stands for the test's folder
    bool subfolders;             ///< the "Process Sub-Folders" box
    QStringList dropped;         ///< the same items as a file manager drops them, under the folder
    QStringList listed;          ///< the file names listed, top row first
};

void PrintTo(const CommandLineCase &c, std::ostream *os)
{
    *os << c.name;
}

// Drops the paths on the window's list as a file manager does.
void dropOn(MainWindow &window, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QWidget *viewport = window.fileList()->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
}

struct ListState
{
    QStringList paths;
    QList<bool> ticks;
    QString status;
    bool deleteEnabled = false;
    bool clearEnabled = false;

    static ListState of(const MainWindow &window)
    {
        ListState state;
        const FileListModel &model = *window.fileModel();
        for (int position = 1; position <= model.count(); ++position) {
            state.paths << model.pathAt(position);
            state.ticks << model.isCheckedAt(position);
        }
        state.status = window.statusBar()->currentMessage();
        state.deleteEnabled = window.deleteButton()->isEnabled();
        state.clearEnabled = window.clearButton()->isEnabled();
        return state;
    }
};

class CommandLine : public WindowTest, public testing::WithParamInterface<CommandLineCase>
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // tree/x.txt, tree/A/y.txt, tree/.hidden, tree/old.db, loose.txt, "my notes/café €.txt"
        for (const char *name : {"tree/x.txt", "tree/A/y.txt", "tree/.hidden", "tree/old.db", "loose.txt",
                                 "my notes/caf\xc3\xa9 \xe2\x82\xac.txt"})
            makeFile(QString::fromUtf8(name));
    }
};

TEST_P(CommandLine, ListsAsADropDoes)
{
    const CommandLineCase &c = GetParam();
    const QByteArray folder = QFile::encodeName(m_dir.path());
    QList<QByteArray> arguments;
    for (QByteArray argument : c.arguments)
        arguments << argument.replace('@', folder);
    // Relative arguments start from the test's folder, as from a shell's current folder.
    const ProgramArguments parsed = ProgramArguments::parse(arguments, folder);
    ASSERT_EQ(parsed.action(), ProgramArguments::Action::Run) << parsed.error().toStdString();

    MainWindow dropTarget(m_platform);
    dropTarget.show();
    m_window->subfoldersCheck()->setChecked(c.subfolders);
    dropTarget.subfoldersCheck()->setChecked(c.subfolders);

    CommandLineItems::add(*m_window, parsed.paths());
    QStringList dropped;
    for (const QString &relative : c.dropped)
        dropped << m_dir.filePath(relative);
    dropOn(dropTarget, dropped);

    const ListState fromCommandLine = ListState::of(*m_window);
    const ListState fromDrop = ListState::of(dropTarget);
    EXPECT_EQ(fromCommandLine.paths, fromDrop.paths);
    EXPECT_EQ(fromCommandLine.ticks, fromDrop.ticks);
    EXPECT_EQ(fromCommandLine.status, fromDrop.status);
    EXPECT_EQ(fromCommandLine.deleteEnabled, fromDrop.deleteEnabled);
    EXPECT_EQ(fromCommandLine.clearEnabled, fromDrop.clearEnabled);

    QStringList names;
    for (const QString &path : fromCommandLine.paths)
        names << QFileInfo(path).fileName();
    EXPECT_EQ(names, c.listed);
    EXPECT_EQ(fromCommandLine.status, QStringLiteral("Total Files: %1").arg(c.listed.size()));
    EXPECT_FALSE(fromCommandLine.ticks.contains(false));
    EXPECT_TRUE(m_platform.messages().empty());
}

// Unlike a drop, the command line names what it could not find, in one message; what exists is
// listed all the same. A dangling link finds nothing either.
TEST_F(WindowTest, NamedItemsThatDoNotExistAreNamedInOneMessage)
{
    const QString loose = makeFile(QStringLiteral("loose.txt"));
    const QString gone = m_dir.filePath(QStringLiteral("gone.txt"));
    const QString dangling = m_dir.filePath(QStringLiteral("dangling"));
    ASSERT_TRUE(QFile::link(m_dir.filePath(QStringLiteral("nowhere")), dangling));
    const QList<QByteArray> named{QFile::encodeName(gone), QFile::encodeName(loose),
                                  QFile::encodeName(dangling)};

    const QList<QByteArray> notFound = CommandLineItems::add(*m_window, named);
    CommandLineItems::reportNotFound(m_platform, notFound);

    ASSERT_EQ(model().count(), 1);
    EXPECT_EQ(model().pathAt(1), QFile::encodeName(loose));
    const auto messages = m_platform.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("These items were not found:\n\n%1\n%2").arg(gone, dangling));
    EXPECT_EQ(messages[0].icon, Platform::Icon::Exclamation);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Program, CommandLine, testing::Values(
    CommandLineCase{"a_file", {"@/loose.txt"}, false, {"loose.txt"}, {"loose.txt"}},
    CommandLineCase{"a_folder_without_its_sub_folders", {"@/tree"}, false, {"tree"}, {"x.txt", ".hidden"}},
    CommandLineCase{"a_folder_with_its_sub_folders", {"@/tree"}, true, {"tree"}, {"y.txt", "x.txt"}},
    CommandLineCase{"a_missing_path_is_passed_over", {"@/gone.txt", "@/loose.txt"}, false,
                    {"gone.txt", "loose.txt"}, {"loose.txt"}},
    CommandLineCase{"only_a_missing_path", {"@/gone.txt"}, false, {"gone.txt"}, {}},
    CommandLineCase{"spaces_and_non_ascii", {"@/my notes/caf\xc3\xa9 \xe2\x82\xac.txt"}, false,
                    {"my notes/caf\xc3\xa9 \xe2\x82\xac.txt"}, {"caf\xc3\xa9 \xe2\x82\xac.txt"}},
    CommandLineCase{"a_db_file_is_left_out", {"@/tree/old.db", "@/tree/x.txt"}, false,
                    {"tree/old.db", "tree/x.txt"}, {"x.txt"}},
    CommandLineCase{"relative_paths", {"loose.txt", "tree"}, false, {"loose.txt", "tree"}, {"x.txt", ".hidden", "loose.txt"}},
    CommandLineCase{"file_addresses_of_a_file_manager", {"file://@/my%20notes/caf%C3%A9%20%E2%82%AC.txt", "file://@/tree"},
                    true, {"my notes/caf\xc3\xa9 \xe2\x82\xac.txt", "tree"},
                    {"y.txt", "x.txt", "caf\xc3\xa9 \xe2\x82\xac.txt"}}),
    [](const testing::TestParamInfo<CommandLineCase> &param) { return std::string(param.param.name); });
// clang-format on

} // namespace
