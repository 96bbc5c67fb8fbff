// File names that are not UTF-8 (a Latin-1 "caf\xe9.txt" from an old archive, a folder named in
// Latin-1) through the whole window: added by the folder browser with sub-folders, by the command
// line or by a drop, listed with replacement characters, commented by Save, read back by a click
// on the row and cleared by Delete, each file checked byte for byte and its Size column after each
// change.
#include "ui_flows_fixture.h"

#include "app/ui/command_line_items.h"
#include "tests/support/temp_dir.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QRadioButton>
#include <QUrl>

#include <sys/stat.h>

#include <ostream>
#include <string>

using namespace scrivlet;

namespace {

enum class Gesture { BrowseFolderWithSubfolders, CommandLine, Drop };

struct NameCase
{
    const char *name;
    Gesture gesture;
    QByteArrayList items;  ///< what the command line names or the user drops, under the folder
    QByteArrayList listed; ///< the files listed, top row first, under the folder
    QStringList shown;     ///< their names in the Name column
    QString savedMessage;  ///< the message after Save (empty: none)
};

void PrintTo(const NameCase &c, std::ostream *os)
{
    *os << c.name;
}

// The folder:  caf\xe9.txt, plain.txt, sub\xe9/n\xfcm.txt; each file holds 1020 bytes of its own.
const QByteArray kCafe = "caf\xe9.txt";
const QByteArray kPlain = "plain.txt";
const QByteArray kSubfolder = "sub\xe9";
const QByteArray kNum = "sub\xe9/n\xfcm.txt";
const QString kSavedMessage = QStringLiteral("Comments saved successfully.");

class NonUtf8Names : public FlowsTest, public ::testing::WithParamInterface<NameCase>
{
protected:
    void SetUp() override
    {
        FlowsTest::SetUp();
        ASSERT_EQ(::mkdir(m_names.file(kSubfolder.toStdString()).c_str(), 0755), 0);
        for (const QByteArray &name : {kCafe, kPlain, kNum})
            m_names.write(name.toStdString(), body(name).toStdString());
    }

    static QByteArray body(const QByteArray &name) { return name.leftJustified(1020, '.'); }
    QByteArray at(const QByteArray &relative) const
    {
        return QByteArray::fromStdString(m_names.file(relative.toStdString()));
    }
    QByteArray bytesAt(const QByteArray &relative) const
    {
        return QByteArray::fromStdString(readFile(m_names.file(relative.toStdString())));
    }

    void add(const NameCase &c)
    {
        QByteArrayList items;
        for (const QByteArray &item : c.items)
            items.append(at(item));
        switch (c.gesture) {
        case Gesture::BrowseFolderWithSubfolders:
            QTest::mouseClick(m_window->multipleOption(), Qt::LeftButton, Qt::NoModifier,
                              m_window->multipleOption()->rect().center());
            QTest::mouseClick(m_window->subfoldersCheck(), Qt::LeftButton, Qt::NoModifier,
                              m_window->subfoldersCheck()->rect().center());
            ASSERT_TRUE(m_window->multipleOption()->isChecked());
            ASSERT_TRUE(m_window->subfoldersCheck()->isChecked());
            m_platform.queueFolder(QString::fromStdString(m_names.path()));
            click(m_window->browseButton());
            break;
        case Gesture::CommandLine:
            CommandLineItems::add(*m_window, items);
            break;
        case Gesture::Drop:
            dropPaths(items);
            break;
        }
    }

    // Drops the paths as a file manager does: names that are not UTF-8 travel percent-encoded.
    void dropPaths(const QByteArrayList &paths)
    {
        QList<QUrl> urls;
        for (const QByteArray &path : paths)
            urls.append(QUrl::fromEncoded("file://" + path.toPercentEncoding("/")));
        ASSERT_TRUE(dropUrls(urls));
    }

    QStringList shownNames() const
    {
        QStringList names;
        for (int row = 0; row < model().rowCount(); ++row)
            names.append(model().index(row, FileListModel::NameColumn).data().toString());
        return names;
    }
    QStringList shownSizes() const
    {
        QStringList sizes;
        for (int row = 0; row < model().rowCount(); ++row)
            sizes.append(model().index(row, FileListModel::SizeColumn).data().toString());
        return sizes;
    }

    TempDir m_names;
};

TEST_P(NonUtf8Names, AreListedSavedReadAndDeletedByteForByte)
{
    const NameCase &c = GetParam();
    ASSERT_NO_FATAL_FAILURE(add(c));

    QByteArrayList paths;
    for (int position = 1; position <= model().count(); ++position)
        paths.append(model().pathAt(position));
    QByteArrayList expected;
    for (const QByteArray &name : c.listed)
        expected.append(at(name));
    ASSERT_EQ(paths, expected);
    EXPECT_EQ(shownNames(), c.shown);
    EXPECT_EQ(shownSizes(), QStringList(c.listed.size(), QStringLiteral("1020 bytes")));
    EXPECT_EQ(model().checkedPositions().size(), c.listed.size());

    type("hello");
    click(m_window->saveButton());
    for (const QByteArray &name : c.listed)
        EXPECT_EQ(bytesAt(name), body(name) + block("hello")) << name.toStdString();
    EXPECT_EQ(bytesAt(kPlain), c.listed.contains(kPlain) ? body(kPlain) + block("hello") : body(kPlain));
    // 1020 bytes and a 22-byte block.
    EXPECT_EQ(shownSizes(), QStringList(c.listed.size(), QStringLiteral("1.02 KB")));
    QStringList said;
    for (const auto &call : messages())
        said.append(call.text);
    EXPECT_EQ(said, c.savedMessage.isEmpty() ? QStringList() : QStringList{c.savedMessage});

    // A click on each row shows that file's comment in place of what was typed.
    for (int position = 1; position <= model().count(); ++position) {
        type("typed over");
        clickRow(position);
        EXPECT_EQ(commentShown(), QStringLiteral("hello")) << "row " << position;
    }

    m_platform.clearCalls();
    m_platform.queueAnswer(Platform::Answer::Yes);
    click(m_window->deleteButton());
    ASSERT_EQ(messages().size(), 1u) << messages().back().text.toStdString();
    for (const QByteArray &name : {kCafe, kPlain, kNum})
        EXPECT_EQ(bytesAt(name), body(name)) << name.toStdString();
    EXPECT_EQ(shownSizes(), QStringList(c.listed.size(), QStringLiteral("1020 bytes")));
    clickRow(1);
    EXPECT_EQ(commentShown(), QString());
    EXPECT_EQ(messages().size(), 1u) << "reading a file without a comment is no failure";
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, NonUtf8Names,
    ::testing::Values(
        NameCase{
            "browse_folder_with_subfolders",
            Gesture::BrowseFolderWithSubfolders,
            {},
            {kNum, kPlain, kCafe},
            {QStringLiteral("n\ufffdm.txt"), QStringLiteral("plain.txt"), QStringLiteral("caf\ufffd.txt")},
            {}},
        NameCase{"command_line_file_and_folder",
                 Gesture::CommandLine,
                 {kCafe, kSubfolder},
                 {kNum, kCafe},
                 {QStringLiteral("n\ufffdm.txt"), QStringLiteral("caf\ufffd.txt")},
                 {}},
        NameCase{"command_line_one_file",
                 Gesture::CommandLine,
                 {kCafe},
                 {kCafe},
                 {QStringLiteral("caf\ufffd.txt")},
                 kSavedMessage},
        NameCase{"drop_file_and_folder",
                 Gesture::Drop,
                 {kSubfolder, kCafe},
                 {kCafe, kNum},
                 {QStringLiteral("caf\ufffd.txt"), QStringLiteral("n\ufffdm.txt")},
                 {}},
        NameCase{
            "drop_one_file", Gesture::Drop, {kNum}, {kNum}, {QStringLiteral("n\ufffdm.txt")}, kSavedMessage}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
