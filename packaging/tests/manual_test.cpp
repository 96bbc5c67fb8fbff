// The manual and the completion keep up with the program: every command and option that
// "scriv --help" lists is documented in scriv(1) and offered by the completion.
#include "packaging/tests/process_run.h"
#include "packaging/tests/test_paths.h"
#include "scrivlet_version.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The manual as a reader sees it: roff's escaped dashes and font changes taken out.
QString manualText(const QString &page)
{
    QString text = readText(buildPath(QStringLiteral("man/") + page));
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    text.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")));
    text.remove(QStringLiteral("\\%"));
    return text;
}

QSet<QString> wordsOf(const QString &text, const QString &pattern)
{
    QSet<QString> words;
    auto matches = QRegularExpression(pattern).globalMatch(text);
    while (matches.hasNext())
        words.insert(matches.next().captured(1));
    return words;
}

// Options as "-r", "--keep-time"; commands as the first word of an indented line under "Commands:".
struct HelpFacts
{
    QSet<QString> options;
    QSet<QString> commands;
};

HelpFacts helpOf(const QString &program)
{
    const ProcessRun run = ProcessRun::run(program, {QStringLiteral("--help")});
    const QString help = QString::fromUtf8(run.out);
    HelpFacts facts;
    facts.options = wordsOf(help, QStringLiteral("(?:^|[\\s\\[(|,])(--?[A-Za-z0-9][A-Za-z0-9-]*)"));
    const qsizetype start = help.indexOf(QStringLiteral("Commands:"));
    const qsizetype end = help.indexOf(QStringLiteral("\n\n"), start);
    if (start >= 0)
        facts.commands = wordsOf(help.mid(start, end - start), QStringLiteral("\\n  ([a-z]+)\\s"));
    return facts;
}

HelpFacts scrivHelp()
{
    return helpOf(QStringLiteral(SCRIV_BINARY));
}

TEST(Manual, HelpIsReadable)
{
    const HelpFacts facts = scrivHelp();
    // The parsing below must see something to compare, or the other checks pass vacuously.
    EXPECT_TRUE(facts.options.contains(QStringLiteral("--help")));
    EXPECT_TRUE(facts.options.contains(QStringLiteral("-r")));
    EXPECT_TRUE(facts.commands.contains(QStringLiteral("show")));
}

TEST(Manual, DocumentsEveryOptionAndCommandOfScriv)
{
    const QString manual = manualText(QStringLiteral("scriv.1"));
    ASSERT_FALSE(manual.isEmpty());
    const HelpFacts facts = scrivHelp();
    for (const QString &option : facts.options)
        EXPECT_TRUE(manual.contains(QRegularExpression(
            QStringLiteral("(^|[\\s\\[(|,])") + QRegularExpression::escape(option) + QStringLiteral("\\b"))))
            << option.toStdString() << " is not in scriv.1";
    for (const QString &command : facts.commands)
        EXPECT_TRUE(manual.contains(QStringLiteral("\n.B ") + command + QLatin1Char('\n')))
            << "command " << command.toStdString() << " has no entry in scriv.1";
}

TEST(Manual, CompletionOffersEveryOptionAndCommandOfScriv)
{
    const QSet<QString> offered = wordsOf(readText(sourcePath(QStringLiteral("packaging/completion/scriv"))),
                                          QStringLiteral("([-A-Za-z0-9]+)"));
    const HelpFacts facts = scrivHelp();
    for (const QString &word : facts.options + facts.commands)
        EXPECT_TRUE(offered.contains(word)) << word.toStdString() << " is not completed";
}

// The manual's text between its section heading @p from and the next heading.
QString section(const QString &manual, const QString &from)
{
    const qsizetype start = manual.indexOf(QStringLiteral("\n.SH ") + from);
    if (start < 0)
        return {};
    const qsizetype end = manual.indexOf(QStringLiteral("\n.SH "), start + 1);
    return manual.mid(start, end < 0 ? -1 : end - start);
}

const QString kOptionPattern = QStringLiteral("(?:^|[\\s\\[(|,])(--?[A-Za-z0-9][A-Za-z0-9-]*)");

// Nothing documented or completed that scriv does not know: an option that does not exist would
// send the reader into a usage error.
TEST(Manual, DocumentsNoOptionOrCommandScrivLacks)
{
    const QString manual = manualText(QStringLiteral("scriv.1"));
    const HelpFacts facts = scrivHelp();
    const QSet<QString> documented = wordsOf(section(manual, QStringLiteral("SYNOPSIS")), kOptionPattern) +
                                     wordsOf(section(manual, QStringLiteral("OPTIONS")), kOptionPattern);
    ASSERT_FALSE(documented.isEmpty());
    for (const QString &option : documented)
        EXPECT_TRUE(facts.options.contains(option)) << option.toStdString() << " is in scriv.1 only";
    const QSet<QString> commands =
        wordsOf(section(manual, QStringLiteral("COMMANDS")), QStringLiteral("\\n\\.TP\\n\\.B ([a-z]+)\\n"));
    ASSERT_FALSE(commands.isEmpty());
    for (const QString &command : commands)
        EXPECT_TRUE(facts.commands.contains(command))
            << "command " << command.toStdString() << " is in scriv.1 only";
}

TEST(Manual, CompletionOffersNothingScrivLacks)
{
    const QString completion = readText(sourcePath(QStringLiteral("packaging/completion/scriv")));
    const HelpFacts facts = scrivHelp();
    // The words the completion offers: those of its "compgen -W" lists and option echoes.
    const QSet<QString> offered = wordsOf(completion, QStringLiteral("echo \"([^\"]*)\"")) +
                                  wordsOf(completion, QStringLiteral("compgen -W \"([a-z ]+)\""));
    QSet<QString> words;
    for (const QString &list : offered)
        for (const QString &word : list.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            words.insert(word);
    ASSERT_TRUE(words.contains(QStringLiteral("show")));
    for (const QString &word : words)
        EXPECT_TRUE(facts.options.contains(word) || facts.commands.contains(word) ||
                    word == QLatin1String("-") || word == QLatin1String("--"))
            << word.toStdString() << " is completed but scriv does not know it";
}

// scrivlet's manual and its --help name the same options.
TEST(Manual, DocumentsExactlyTheOptionsOfScrivlet)
{
    const HelpFacts facts = helpOf(QStringLiteral(SCRIVLET_BINARY));
    ASSERT_TRUE(facts.options.contains(QStringLiteral("--screenshot")));
    const QString manual = manualText(QStringLiteral("scrivlet.1"));
    const QSet<QString> documented = wordsOf(section(manual, QStringLiteral("SYNOPSIS")), kOptionPattern) +
                                     wordsOf(section(manual, QStringLiteral("OPTIONS")), kOptionPattern);
    EXPECT_EQ(documented, facts.options);
}

TEST(Manual, CarriesThisVersion)
{
    for (const QString &page : {QStringLiteral("scriv.1"), QStringLiteral("scrivlet.1")}) {
        const QString text = manualText(page);
        EXPECT_TRUE(
            text.startsWith(QStringLiteral(".TH ") + page.left(page.indexOf(QLatin1Char('.'))).toUpper()))
            << page.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\"Scrivlet " SCRIVLET_VERSION "\""))) << page.toStdString();
    }
}

} // namespace
