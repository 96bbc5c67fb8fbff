// A file manager's module loaded as the file manager loads it (module_host.c), asked for the
// Comment column, the menu item and (Nemo) the Comment page of real files. Built twice: against
// Nautilus's extension library and, with SCRIVLET_HOST_NEMO, against Nemo's (under Xvfb).
#include "extensions/tests/module_host.h"

#ifdef SCRIVLET_HOST_NEMO
#include <gtk/gtk.h>
#endif

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A folder of its own for each test, removed with whatever names it holds.
class Folder
{
public:
    Folder()
    {
        char name[] = "/tmp/scrivlet-module-XXXXXX";
        m_path = ::mkdtemp(name) != nullptr ? name : "";
    }
    ~Folder() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

bool writeFile(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return bool(out.flush());
}

std::string block(const std::string &comment)
{
    return "#.START.#" + comment + "#.END.# ";
}

enum class Access { Readable, Removed, NoPermission };

struct FileCase
{
    const char *name;
    std::string fileName; ///< bytes, not necessarily UTF-8
    std::string bytes;    ///< the whole file: own bytes and a block, or none
    Access access;
    std::string column; ///< what the column shows
    std::string page;   ///< what Nemo's Comment page shows
};

void PrintTo(const FileCase &c, std::ostream *os)
{
    *os << c.name;
}

class ModuleReports : public testing::TestWithParam<FileCase>
{
};

TEST_P(ModuleReports, CommentColumnFromAWorker)
{
    const FileCase &c = GetParam();
    if (c.access == Access::NoPermission && ::geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    Folder folder;
    const std::string path = folder.path() + "/" + c.fileName;
    ASSERT_TRUE(writeFile(path, c.bytes));
    if (c.access == Access::Removed) {
        ASSERT_EQ(::unlink(path.c_str()), 0);
    } else if (c.access == Access::NoPermission) {
        ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    }

    char *text = nullptr;
    gboolean inProgress = FALSE;
    EXPECT_TRUE(module_host_update(path.c_str(), G_FILE_TYPE_REGULAR, &text, &inProgress));
    EXPECT_TRUE(inProgress) << "the file was read on the main loop";
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(g_utf8_validate(text, -1, nullptr));
    EXPECT_EQ(std::string(text), c.column);
    g_free(text);

#ifdef SCRIVLET_HOST_NEMO
    char *label = nullptr;
    char *page = module_host_page_text(path.c_str(), &label);
    ASSERT_NE(page, nullptr);
    EXPECT_STREQ(label, "Comment");
    EXPECT_EQ(std::string(page), c.page);
    g_free(page);
    g_free(label);
#endif
}

const std::string kLongest(999983, 'x');

INSTANTIATE_TEST_SUITE_P(
    Module, ModuleReports,
    testing::Values(FileCase{"with_comment", "notes.txt", "own\n" + block("Quarterly figures\r\nsecond line"),
                             Access::Readable, "Quarterly figures", "Quarterly figures\r\nsecond line"},
                    FileCase{"without_comment", "plain.txt", "own bytes only\n", Access::Readable, "",
                             "This file has no comment."},
                    // The column reads a few kilobytes: the first line, cut to what that holds.
                    FileCase{"longest_comment", "long.bin", "own" + block(kLongest), Access::Readable,
                             std::string(4095, 'x'), kLongest},
                    FileCase{"comment_not_utf8", "latin.txt", block("caf\xE9"), Access::Readable,
                             "caf\xEF\xBF\xBD", "caf\xEF\xBF\xBD"},
                    FileCase{"gone_before_read", "gone.txt", block("never read"), Access::Removed, "",
                             "The comment cannot be read: no such file."},
                    FileCase{"no_permission", "locked.txt", block("never read"), Access::NoPermission, "",
                             "The comment cannot be read: no access."},
                    FileCase{"name_not_utf8", "caf\xE9.txt", block("Latin-1 name"), Access::Readable,
                             "Latin-1 name", "Latin-1 name"}),
    [](const testing::TestParamInfo<FileCase> &param) { return std::string(param.param.name); });

TEST(Module, OffersOneCommentColumn)
{
    char *attribute = module_host_column_attribute();
    ASSERT_NE(attribute, nullptr);
    EXPECT_STREQ(attribute, "scrivlet_comment");
    g_free(attribute);
}

TEST(Module, FoldersAreAnsweredAtOnceWithAnEmptyColumn)
{
    Folder folder;
    char *text = nullptr;
    gboolean inProgress = TRUE;
    EXPECT_TRUE(module_host_update(folder.path().c_str(), G_FILE_TYPE_DIRECTORY, &text, &inProgress));
    EXPECT_FALSE(inProgress);
    EXPECT_STREQ(text, "");
    g_free(text);
}

// The menu item starts `scrivlet` (a stand-in early in PATH that writes down its arguments) with
// every selected file and folder, names that are not UTF-8 byte for byte.
TEST(Module, MenuItemStartsScrivletWithTheSelection)
{
    Folder folder;
    const std::string program = folder.path() + "/scrivlet";
    const std::string record = folder.path() + "/arguments";
    ASSERT_TRUE(writeFile(program, "#!/bin/sh\nfor a; do printf '%s\\0' \"$a\"; done > '" + record +
                                       ".new'\nmv '" + record + ".new' '" + record + "'\n"));
    ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
    const std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    ::setenv("PATH", (folder.path() + ":" + oldPath).c_str(), 1);

    const std::string file = folder.path() + "/caf\xE9.txt";
    ASSERT_TRUE(writeFile(file, "x"));
    const char *selection[] = {file.c_str(), folder.path().c_str()};
    EXPECT_EQ(module_host_menu_items(selection, 2, TRUE), 1u);
    ::setenv("PATH", oldPath.c_str(), 1);

    std::string arguments;
    for (int i = 0; i < 100 && arguments.empty(); ++i) {
        std::ifstream in(record, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        arguments = all.str();
        if (arguments.empty())
            ::usleep(50000);
    }
    EXPECT_EQ(arguments, file + '\0' + folder.path() + '\0');
}

#ifdef SCRIVLET_HOST_NEMO
bool actionInstalled = false;

// The scrivlet package's Nemo action gives the same item: with it installed the module offers none,
// so the menu does not show it twice (run by nemo_module_tests_with_action).
TEST(NemoAction, TakesThePlaceOfTheModulesItem)
{
    if (!actionInstalled)
        GTEST_SKIP() << "needs SCRIVLET_TEST_NEMO_ACTION";
    Folder folder;
    const char *selection[] = {folder.path().c_str()};
    EXPECT_EQ(module_host_menu_items(selection, 1, FALSE), 0u);
}
#endif

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
#ifdef SCRIVLET_HOST_NEMO
    // Nemo's own action for the menu item is not installed in this session's data folders.
    Folder data;
    ::setenv("XDG_DATA_DIRS", data.path().c_str(), 1);
    ::setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    if (std::getenv("SCRIVLET_TEST_NEMO_ACTION") != nullptr) {
        const std::string actions = data.path() + "/nemo/actions";
        actionInstalled = g_mkdir_with_parents(actions.c_str(), 0755) == 0 &&
                          writeFile(actions + "/scrivlet-comment.nemo_action", "[Nemo Action]\n");
    }
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "no display: run under Xvfb\n");
        return 1;
    }
#endif
    char *error = nullptr;
    if (!module_host_load(SCRIVLET_MODULE_FILE, &error)) {
        std::fprintf(stderr, "%s\n", error);
        return 1;
    }
    return RUN_ALL_TESTS();
}
