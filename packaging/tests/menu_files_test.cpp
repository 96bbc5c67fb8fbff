// The file managers' "Comment with Scrivlet" entries: parsed as the file managers parse them,
// their keys and the command they run checked.
#include "packaging/tests/exec_line.h"
#include "packaging/tests/key_file.h"
#include "packaging/tests/test_paths.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

namespace {

const QString kLabel = QStringLiteral("Comment with Scrivlet");

struct Setting
{
    const char *group;
    const char *key;
    QStringList values; ///< the key's value read as a ';' list, compared whole
};

struct MenuCase
{
    const char *name;
    const char *file;  ///< under packaging/menus/
    const char *group; ///< the group holding the action
    const char *iconKey;
    const char *fieldCode; ///< the whole selection, as paths (%F) or file:// addresses (%U)
    std::vector<Setting> settings;
};

void PrintTo(const MenuCase &c, std::ostream *os)
{
    *os << c.name;
}

class MenuFile : public testing::TestWithParam<MenuCase>
{
protected:
    KeyFile load() const
    {
        return KeyFile::load(sourcePath(QStringLiteral("packaging/menus/") + GetParam().file));
    }
    QString group() const { return QString::fromUtf8(GetParam().group); }
};

TEST_P(MenuFile, ParsesCleanly)
{
    const KeyFile file = load();
    ASSERT_TRUE(file.loaded());
    EXPECT_TRUE(file.problems().isEmpty()) << file.problems().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(file.groups().contains(group()));
}

TEST_P(MenuFile, IsLabelledCommentWithScrivlet)
{
    EXPECT_EQ(load().value(group(), QStringLiteral("Name")), kLabel);
}

TEST_P(MenuFile, RunsScrivletOnTheWholeSelection)
{
    const auto command = splitExecLine(load().value(group(), QStringLiteral("Exec")));
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(*command, QStringList({QStringLiteral("scrivlet"), QString::fromUtf8(GetParam().fieldCode)}));
}

TEST_P(MenuFile, ShowsTheInstalledIcon)
{
    const QString icon = load().value(group(), QString::fromUtf8(GetParam().iconKey));
    EXPECT_EQ(icon, QStringLiteral("scrivlet"));
    EXPECT_TRUE(QFileInfo::exists(buildPath(QStringLiteral("icons/hicolor/16x16/apps/%1.png").arg(icon))));
}

TEST_P(MenuFile, AppliesToFilesAndFolders)
{
    const KeyFile file = load();
    for (const Setting &setting : GetParam().settings)
        EXPECT_EQ(file.list(QString::fromUtf8(setting.group), QString::fromUtf8(setting.key)), setting.values)
            << setting.group << " " << setting.key;
}

INSTANTIATE_TEST_SUITE_P(
    Packaging, MenuFile,
    testing::Values(MenuCase{"kde_service_menu",
                             "scrivlet-comment.desktop",
                             "Desktop Action comment",
                             "Icon",
                             "%F",
                             {{"Desktop Entry", "Type", {"Service"}},
                              {"Desktop Entry", "MimeType", {"all/allfiles", "inode/directory"}},
                              {"Desktop Entry", "Actions", {"comment"}}}},
                    MenuCase{"nemo_action",
                             "scrivlet-comment.nemo_action",
                             "Nemo Action",
                             "Icon-Name",
                             "%U",
                             // Nemo pastes paths unescaped into a command line, so an apostrophe in a name
                             // would break it; percent-encoded addresses of local files cannot.
                             {{"Nemo Action", "Selection", {"notnone"}},
                              {"Nemo Action", "Extensions", {"any"}},
                              {"Nemo Action", "UriScheme", {"file"}},
                              {"Nemo Action", "Dependencies", {"scrivlet"}}}}),
    [](const testing::TestParamInfo<MenuCase> &param) { return std::string(param.param.name); });

// Thunar's custom action is an XML snippet that users paste into their uca.xml.
struct ThunarAction
{
    QString name, command, icon, id, patterns;
    QStringList kinds;
    int actions = 0;
    QString error;
};

ThunarAction readThunarAction()
{
    ThunarAction action;
    QFile file(sourcePath(QStringLiteral("packaging/menus/thunar-uca.xml")));
    if (!file.open(QIODevice::ReadOnly)) {
        action.error = file.errorString();
        return action;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString element = xml.name().toString();
        if (element == QLatin1String("action"))
            ++action.actions;
        else if (element == QLatin1String("name"))
            action.name = xml.readElementText();
        else if (element == QLatin1String("command"))
            action.command = xml.readElementText();
        else if (element == QLatin1String("icon"))
            action.icon = xml.readElementText();
        else if (element == QLatin1String("unique-id"))
            action.id = xml.readElementText();
        else if (element == QLatin1String("patterns"))
            action.patterns = xml.readElementText();
        else if (element != QLatin1String("actions") && element != QLatin1String("description"))
            action.kinds << element;
    }
    if (xml.hasError())
        action.error = xml.errorString();
    return action;
}

TEST(ThunarCustomAction, RunsScrivletOnAnySelectedFileOrFolder)
{
    const ThunarAction action = readThunarAction();
    ASSERT_EQ(action.error, QString());
    EXPECT_EQ(action.actions, 1);
    EXPECT_EQ(action.name, kLabel);
    EXPECT_EQ(splitExecLine(action.command), QStringList({QStringLiteral("scrivlet"), QStringLiteral("%F")}));
    EXPECT_EQ(action.icon, QStringLiteral("scrivlet"));
    EXPECT_FALSE(action.id.isEmpty());
    EXPECT_EQ(action.patterns, QStringLiteral("*"));
    QStringList kinds = action.kinds;
    kinds.sort();
    EXPECT_EQ(kinds, QStringList({QStringLiteral("audio-files"), QStringLiteral("directories"),
                                  QStringLiteral("image-files"), QStringLiteral("other-files"),
                                  QStringLiteral("text-files"), QStringLiteral("video-files")}));
}

TEST(KdeServiceMenu, EveryListedActionHasItsGroup)
{
    const KeyFile file =
        KeyFile::load(sourcePath(QStringLiteral("packaging/menus/scrivlet-comment.desktop")));
    const QStringList actions = file.list(QStringLiteral("Desktop Entry"), QStringLiteral("Actions"));
    ASSERT_FALSE(actions.isEmpty());
    for (const QString &action : actions)
        EXPECT_TRUE(file.groups().contains(QStringLiteral("Desktop Action ") + action))
            << action.toStdString();
}

} // namespace
