#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "engine/cp1251.h"

namespace {

using cli::GroupOption;
using engine::operator""_w1251;

engine::Result<cli::Options> Parse(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "lapwing-cli");
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    return cli::ParseArguments(static_cast<int>(arguments.size()), argv.data());
}

GroupOption G(std::string name, int distanceClass, int masters, int table, int category)
{
    return { std::move(name), static_cast<engine::DistanceClass>(distanceClass), masters, table,
        static_cast<engine::Category>(category) };
}

TEST(ParseGroupOption, AcceptsNumbersAndTheEditorsTexts)
{
    struct Case
    {
        const char *text;
        GroupOption group;
    };
    const Case cases[] = {
        { "М21=0,2,1,0", G(std::string("М21"_w1251), 0, 2, 1, 0) },
        { "Ж16=КМС,0,0,Юнацкія", G(std::string("Ж16"_w1251), 1, 0, 0, 1) },
        { "Open=III р.,0,2,Злучаныя", G("Open", 4, 0, 2, 2) },
        { "A=I р.,0,0,Дарослыя", G("A", 2, 0, 0, 0) },
        { "A=II р.,0,0,Не лічыць", G("A", 3, 0, 0, 3) },
        { "A=I юн,0,0,3", G("A", 5, 0, 0, 3) }, // numbers and texts mix
        { "A=II юн,0,0,0", G("A", 6, 0, 0, 0) },
        { "A=-- Не считать --,0,0,0", G("A", 7, 0, 0, 0) },
        { "A=7, 12 , 3 ,0", G("A", 7, 12, 3, 0) },
        { "a=b=1,0,0,0", G("a=b", 1, 0, 0, 0) }, // split at the last '='
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const engine::Result<GroupOption> group = cli::ParseGroupOption(c.text);
        ASSERT_TRUE(group) << group.Error().Reason;
        EXPECT_EQ(group.Value(), c.group);
    }
}

TEST(ParseGroupOption, RejectsWhatIsNotASetting)
{
    const char *const cases[] = {
        "М21", // no '='
        "=0,0,0,0", // no name
        "М21=0,0,0", // three settings
        "М21=0,0,0,0,0", // five
        "М21=8,0,0,0", // class beyond the list
        "М21=-1,0,0,0",
        "М21=мс,0,0,0", // texts are matched exactly
        "М21=0,-1,0,0", // masters below 0
        "М21=0,x,0,0",
        "М21=0,0,1.5,0", // table not whole
        "М21=0,0,,0",
        "М21=0,0,0,4", // category beyond the list
        "М21=0,0,0,Дарослыя2",
        "Ω=0,0,0,0", // not in Windows-1251
        "М21=0,99999999999,0,0",
    };
    for (const char *text : cases) {
        SCOPED_TRACE(text);
        const engine::Result<GroupOption> group = cli::ParseGroupOption(text);
        ASSERT_FALSE(group);
        EXPECT_NE(group.Error().Reason, "");
    }
}

TEST(ParseArguments, Defaults)
{
    const engine::Result<cli::Options> parsed = Parse({ "in.htm" });
    ASSERT_TRUE(parsed);
    const cli::Options &options = parsed.Value();
    EXPECT_EQ(options.Input, "in.htm");
    EXPECT_FALSE(options.Output);
    EXPECT_FALSE(options.PointsFile);
    EXPECT_FALSE(options.Inspector);
    EXPECT_TRUE(options.Groups.empty());
    EXPECT_FALSE(options.Process.RatingPoints);
    EXPECT_EQ(options.Process.K1Text, "1000");
    EXPECT_EQ(options.Process.K2Text, "2");
    EXPECT_FALSE(options.Process.CountOutOfCompetition);
    EXPECT_TRUE(options.Process.ExcludeForeign);
    EXPECT_EQ(options.Process.DecimalSeparator, '.');
    EXPECT_FALSE(options.ListGroups);
}

TEST(ParseArguments, EveryOption)
{
    const engine::Result<cli::Options> parsed = Parse({ "--rating", "-o", "out.htm", "--group",
        "М21=0,2,1,0", "--points", "p.INI", "--k1", "1,5", "--k2=3", "--count-out-of-competition",
        "--include-foreign", "--inspector", " Кузьмич А.Б. ", "--decimal-separator", ",", "in.htm",
        "--group", "Ж21=1,0,0,0", "--list-groups", "--qualification-list", "l.csv",
        "--qualification-list", "l.htm" });
    ASSERT_TRUE(parsed) << parsed.Error().Reason;
    const cli::Options &options = parsed.Value();
    EXPECT_EQ(options.Input, "in.htm");
    EXPECT_EQ(options.Output, "out.htm");
    EXPECT_EQ(options.PointsFile, "p.INI");
    ASSERT_EQ(options.Groups.size(), 2u);
    EXPECT_EQ(options.Groups[1].Name, std::string("Ж21"_w1251));
    EXPECT_TRUE(options.Process.RatingPoints);
    EXPECT_EQ(options.Process.K1Text, "1,5");
    EXPECT_EQ(options.Process.K2Text, "3");
    EXPECT_TRUE(options.Process.CountOutOfCompetition);
    EXPECT_FALSE(options.Process.ExcludeForeign);
    EXPECT_EQ(options.Inspector, std::string(" Кузьмич А.Б. "_w1251));
    EXPECT_EQ(options.Process.DecimalSeparator, ',');
    EXPECT_TRUE(options.ListGroups);
    EXPECT_EQ(options.QualificationLists, (std::vector<std::string> { "l.csv", "l.htm" }));
}

TEST(ParseArguments, UsageErrors)
{
    struct Case
    {
        std::vector<std::string> arguments;
        std::string_view names; // what the message must name; empty: any message
    };
    const Case cases[] = {
        { {}, "" },
        { { "a.htm", "b.htm" }, "" },
        { { "" }, "" },
        { { "--output" }, "" },
        { { "a.htm", "-o" }, "" },
        { { "a.htm", "-o", "" }, "(-o) is empty" },
        { { "--bogus", "a.htm" }, "" },
        { { "-x", "a.htm" }, "" },
        { { "--rating=yes", "a.htm" }, "" },
        { { "--group", "М21=9,0,0,0", "a.htm" }, "" },
        { { "--inspector", "Кот", "a.htm" }, "at least 4 characters" }, // three letters
        { { "--inspector", "  Кот 	", "a.htm" }, "at least 4" }, // blanks do not count
        { { "--inspector", "Ωmega", "a.htm" }, "" },
        { { "--inspector", "Кот\nАнтон", "a.htm" }, "control character" },
        { { "--inspector", "Кот\x7F Антон", "a.htm" }, "control character" },
        { { "--inspector", "<b>Кот</b>", "a.htm" }, "'<'" },
        { { "--inspector", "Кот & Ко", "a.htm" }, "'&'" },
        { { "--decimal-separator", "", "a.htm" }, "--decimal-separator" },
        { { "--decimal-separator", "..", "a.htm" }, "--decimal-separator" },
        { { "--decimal-separator", "·", "a.htm" }, "--decimal-separator" },
        { { "--decimal-separator", "5", "a.htm" }, "punctuation" },
        { { "--decimal-separator", "\n", "a.htm" }, "punctuation" },
        { { "--decimal-separator", "a", "a.htm" }, "punctuation" },
        { { "--decimal-separator", "<", "a.htm" }, "other than '<', '&' and '>'" },
        { { "--decimal-separator", "&", "a.htm" }, "other than '<', '&' and '>'" },
        { { "--decimal-separator", ">", "a.htm" }, "other than '<', '&' and '>'" },
        { { "--points", "", "a.htm" }, "the points file's name (--points) is empty" },
        { { "--inspector", "Kot \xFF\x1B[2J", "a.htm" }, "'Kot \\xFF\\x1B[2J' is not UTF-8" },
        { { "--group", "\xC0\xEE=0,0,0,0", "a.htm" }, "'\\xC0\\xEE' is not UTF-8" },
        { { "--k1", "\xE2\x82", "a.htm" }, "--k1 '\\xE2\\x82' is not UTF-8" },
        { { "--k1", "Ω", "a.htm" }, "has characters that Windows-1251 lacks" },
        { { "--k1", "€€€€\xF0\x9F\x98\x80", "a.htm" }, "--k1" },
        { { "--rating", "--k1", "abc", "a.htm" }, "--k1 'abc' is not a number" },
        { { "--k2", "1,5", "a.htm" }, "--k2 '1,5' is not a number (decimal separator '.')" },
        { { "--k2", "1.5", "--decimal-separator", ",", "a.htm" }, "--k2 '1.5'" },
        { { "--qualification-list", "l.txt", "a.htm" }, "must end in .csv" },
        { { "--qualification-list", "l", "a.htm" }, "must end in .csv" },
        { { "--qualification-list", "l.csv", "--qualification-list", "l.csv", "a.htm" }, "twice" },
        { { "--qualification-list", "l.csv", "--qualification-list", "l.htm",
              "--qualification-list", "m.csv", "a.htm" },
            "twice at most" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const engine::Result<cli::Options> parsed = Parse(c.arguments);
        ASSERT_FALSE(parsed);
        const std::string &error = parsed.Error().Reason;
        EXPECT_NE(error, "");
        EXPECT_NE(error.find(c.names), std::string::npos) << error;
    }
}

TEST(ParseArguments, HelpAndVersionNeedNoInput)
{
    EXPECT_TRUE(Parse({ "-h" }).Value().Help);
    EXPECT_TRUE(Parse({ "--help" }).Value().Help);
    EXPECT_TRUE(Parse({ "--version" }).Value().Version);
}

TEST(ParseArguments, TheInspectorNeedsFourCharacters)
{
    EXPECT_TRUE(Parse({ "--inspector", "Кот А", "a.htm" }));
    EXPECT_TRUE(Parse({ "--inspector", " Рысь ", "a.htm" }));
    EXPECT_TRUE(Parse({ "--inspector", "О'Брайэн-Кот (ст.)", "a.htm" }));
    EXPECT_TRUE(Parse({ "--k1", "1,5", "--decimal-separator", ",", "a.htm" }));
}

} // namespace
