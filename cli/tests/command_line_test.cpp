#include "cli/command_line.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace scrivlet;

namespace {

using Command = Invocation::Command;
using Source = Invocation::TextSource;

struct ValidCase
{
    const char *name;
    std::vector<std::string> arguments;
    Command command;
    Source source;
    std::string text;
    bool recursive, json, keepTime;
    std::vector<std::string> paths;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const ValidCase &c, std::ostream *os)
{
    *os << c.name;
}

class ValidArguments : public testing::TestWithParam<ValidCase>
{
};

TEST_P(ValidArguments, AreReadIntoTheInvocation)
{
    const ValidCase &c = GetParam();
    const CommandLine::Result result = CommandLine::parse(c.arguments);
    ASSERT_EQ(result.error, "");
    const Invocation &inv = result.invocation;
    EXPECT_EQ(inv.command, c.command);
    EXPECT_EQ(inv.source, c.source);
    EXPECT_EQ(inv.text, c.text);
    EXPECT_EQ(inv.recursive, c.recursive);
    EXPECT_EQ(inv.json, c.json);
    EXPECT_EQ(inv.keepTime, c.keepTime);
    EXPECT_EQ(inv.paths, c.paths);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(CommandLine, ValidArguments, testing::Values(
    ValidCase{"ShowOne", {"show", "a"}, Command::Show, Source::None, "", false, false, false, {"a"}},
    ValidCase{"ShowJsonAfterPaths", {"show", "a", "b", "--json"}, Command::Show, Source::None, "", false, true, false, {"a", "b"}},
    ValidCase{"SetMessage", {"set", "-m", "hello world", "f"}, Command::Set, Source::Argument, "hello world", false, false, false, {"f"}},
    ValidCase{"SetMessageGlued", {"set", "-mhi", "f"}, Command::Set, Source::Argument, "hi", false, false, false, {"f"}},
    ValidCase{"SetLongMessage", {"set", "--message=a=b", "f"}, Command::Set, Source::Argument, "a=b", false, false, false, {"f"}},
    ValidCase{"SetEmptyMessage", {"set", "-m", "", "f"}, Command::Set, Source::Argument, "", false, false, false, {"f"}},
    ValidCase{"SetMessageLooksLikeOption", {"set", "-m", "-r", "f"}, Command::Set, Source::Argument, "-r", false, false, false, {"f"}},
    ValidCase{"SetFile", {"set", "-F", "c.txt", "-r", "--keep-time", "d"}, Command::Set, Source::File, "c.txt", true, false, true, {"d"}},
    ValidCase{"SetLongFile", {"set", "--file", "c.txt", "f"}, Command::Set, Source::File, "c.txt", false, false, false, {"f"}},
    ValidCase{"SetStdin", {"set", "-", "f", "g"}, Command::Set, Source::StandardInput, "", false, false, false, {"f", "g"}},
    ValidCase{"DashDashEndsOptions", {"rm", "--", "-r", "-"}, Command::Remove, Source::None, "", false, false, false, {"-r", "-"}},
    ValidCase{"RemoveKeepTime", {"rm", "--keep-time", "--recursive", "x"}, Command::Remove, Source::None, "", true, false, true, {"x"}},
    ValidCase{"ListWithoutFolder", {"ls"}, Command::List, Source::None, "", false, false, false, {}},
    ValidCase{"ListRecursiveJson", {"ls", "-r", "--json", "d1", "d2"}, Command::List, Source::None, "", true, true, false, {"d1", "d2"}}),
    [](const testing::TestParamInfo<ValidCase> &param) { return std::string(param.param.name); });
// clang-format on

struct UsageCase
{
    const char *name;
    std::vector<std::string> arguments;
    const char *messagePart;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const UsageCase &c, std::ostream *os)
{
    *os << c.name;
}

class UsageErrors : public testing::TestWithParam<UsageCase>
{
};

TEST_P(UsageErrors, AreRefusedWithAReason)
{
    const CommandLine::Result result = CommandLine::parse(GetParam().arguments);
    EXPECT_NE(result.error.find(GetParam().messagePart), std::string::npos) << result.error;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(CommandLine, UsageErrors, testing::Values(
    UsageCase{"Nothing", {}, "no command"},
    UsageCase{"UnknownCommand", {"cat", "f"}, "unknown command 'cat'"},
    UsageCase{"OptionBeforeCommand", {"-r", "show", "f"}, "unknown option '-r'"},
    UsageCase{"UnknownOption", {"show", "--force", "f"}, "unknown option '--force'"},
    UsageCase{"ShowWithoutPath", {"show"}, "no file"},
    UsageCase{"RemoveWithoutPath", {"rm", "-r"}, "no file"},
    UsageCase{"SetWithoutText", {"set", "f"}, "needs the comment"},
    UsageCase{"SetTwoTexts", {"set", "-m", "a", "-F", "b", "f"}, "only once"},
    UsageCase{"SetTextAndStdin", {"set", "-", "-m", "a", "f"}, "only once"},
    UsageCase{"MessageWithoutValue", {"set", "f", "-m"}, "needs a value"},
    UsageCase{"TextForShow", {"show", "-m", "x", "f"}, "belong to 'set'"},
    UsageCase{"JsonForSet", {"set", "-m", "x", "--json", "f"}, "--json"},
    UsageCase{"KeepTimeForShow", {"show", "--keep-time", "f"}, "--keep-time"},
    UsageCase{"KeepTimeForList", {"ls", "--keep-time"}, "--keep-time"},
    UsageCase{"SyncForShow", {"show", "--sync", "f"}, "--sync"},
    UsageCase{"Utf8ForRemove", {"rm", "--utf8", "f"}, "--utf8"},
    UsageCase{"NullForSet", {"set", "-m", "x", "-0", "f"}, "-0"},
    UsageCase{"NullAndJson", {"ls", "-0", "--json"}, "not both"},
    UsageCase{"GrepForShow", {"show", "--grep", "x", "f"}, "--grep"},
    UsageCase{"GrepWithoutPattern", {"ls", "--grep"}, "needs a value"},
    UsageCase{"GrepTwice", {"ls", "--grep", "a", "--grep=b"}, "only once"},
    UsageCase{"RegexWithoutGrep", {"ls", "-E"}, "-E needs --grep"},
    UsageCase{"DiscardWithoutPaths", {"recover", "--discard"}, "needs the paths"},
    UsageCase{"DiscardOutsideRecover", {"show", "--discard", "f"}, "belongs to 'recover'"},
    UsageCase{"RecoverRecursive", {"recover", "-r"}, "no options"}),
    [](const testing::TestParamInfo<UsageCase> &param) { return std::string(param.param.name); });
// clang-format on

struct FlagCase
{
    const char *name;
    std::vector<std::string> arguments;
    bool Invocation::*flag;
};

// Failures and test listings name the case rather than dumping its bytes.
void PrintTo(const FlagCase &c, std::ostream *os)
{
    *os << c.name;
}

class Flags : public testing::TestWithParam<FlagCase>
{
};

TEST_P(Flags, AreSetByTheirOptionAndOnlyByIt)
{
    const CommandLine::Result result = CommandLine::parse(GetParam().arguments);
    ASSERT_EQ(result.error, "");
    EXPECT_TRUE(result.invocation.*GetParam().flag);
    const CommandLine::Result without = CommandLine::parse({GetParam().arguments.front(), "f"});
    EXPECT_FALSE(without.invocation.*GetParam().flag);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(CommandLine, Flags, testing::Values(
    FlagCase{"NullShort", {"ls", "-0"}, &Invocation::nullSeparated},
    FlagCase{"NullLong", {"show", "f", "--null"}, &Invocation::nullSeparated},
    FlagCase{"Utf8", {"set", "--utf8", "-m", "x", "f"}, &Invocation::utf8},
    FlagCase{"SyncOnSet", {"set", "-m", "x", "--sync", "f"}, &Invocation::sync},
    FlagCase{"SyncOnRemove", {"rm", "--sync", "f"}, &Invocation::sync},
    FlagCase{"RegexShort", {"ls", "-E", "--grep", "a|b"}, &Invocation::extendedRegex},
    FlagCase{"RegexLong", {"ls", "--grep=a", "--extended-regexp"}, &Invocation::extendedRegex}),
    [](const testing::TestParamInfo<FlagCase> &param) { return std::string(param.param.name); });
// clang-format on

TEST(CommandLine, GrepTakesThePatternAsItIs)
{
    EXPECT_EQ(CommandLine::parse({"ls", "--grep", "-r"}).invocation.grep, "-r");
    EXPECT_EQ(CommandLine::parse({"ls", "--grep="}).invocation.grep, "");
    EXPECT_EQ(CommandLine::parse({"ls", "--grep=a=b", "d"}).invocation.paths, std::vector<std::string>{"d"});
    EXPECT_FALSE(CommandLine::parse({"ls"}).invocation.grep.has_value());
}

TEST(CommandLine, RecoverTakesNothingElse)
{
    const CommandLine::Result result = CommandLine::parse({"recover"});
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.invocation.command, Invocation::Command::Recover);
}

TEST(CommandLine, HelpAndVersionWinOverEverythingAfterThem)
{
    EXPECT_TRUE(CommandLine::parse({"--help", "bogus"}).invocation.help);
    EXPECT_TRUE(CommandLine::parse({"set", "--help"}).invocation.help);
    EXPECT_TRUE(CommandLine::parse({"--version"}).invocation.version);
    EXPECT_EQ(CommandLine::parse({"set", "-h"}).error, "");
}

} // namespace
