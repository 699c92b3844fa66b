// Tables laid out differently from what the recognizers read are pointed out, once per table.
#include "engine/layout_check.h"

#include <gtest/gtest.h>

#include "engine/cp1251.h"
#include "test_lines.h"

using namespace engine;
using testlines::Put;

namespace {

// A line of another layout: the birth year before the qualification, a one-digit hour, a
// time-behind column after the result time.
std::string Shifted(std::string_view qualification, std::string_view time, std::size_t timeAt,
    std::string_view place, std::size_t placeAt)
{
    std::string line(60, ' ');
    Put(line, 1, "   1");
    Put(line, 6, "Athlete");
    Put(line, 53, "1990 ");
    Put(line, 59, qualification);
    Put(line, timeAt, time);
    Put(line, placeAt, place);
    return line;
}

GroupSettings Named(std::string_view name)
{
    GroupSettings group;
    group.Name = name;
    return group;
}

std::vector<ProtocolLine> Protocol(const std::vector<std::string> &results)
{
    std::vector<ProtocolLine> lines { "<h2>M21, 5 km</h2>", "<pre>", "Title line" };
    lines.insert(lines.end(), results.begin(), results.end());
    lines.push_back("</pre>");
    lines.push_back("<pre>");
    lines.emplace_back("Главный судья"_w1251);
    return lines;
}

} // namespace

TEST(CheckTableLayouts, Table)
{
    using testlines::ResultLine;
    struct Case
    {
        const char *name;
        std::vector<std::string> results;
        std::string problem; // empty: none
    };
    const Case cases[] = {
        { "the usual layout",
            { ResultLine({ .qualification = "I", .place = "1" }),
                ResultLine({ .place = " в/к"_w1251 }),
                ResultLine({ .time = "00:41:00", .place = "2" }) },
            "" },
        { "a protocol rewritten before",
            { ResultLine({ .qualification = "б/р"_w1251, .place = "1" }) }, "" },
        { "a table without athletes", { "   no results today" }, "" },
        { "times as h:mm:ss elsewhere",
            { Shifted("I", "0:10:45", 74, "1", 86), Shifted("II", "0:11:02", 74, "2", 86) },
            "M21: its columns are not a layout the reader knows; the table is copied unchanged "
            "and the group is not counted" },
        { "a time-behind column before the place",
            { ResultLine({}) + "  +00:00     1",
                ResultLine({ .time = "01:02:19" }) + "  +00:01     2" },
            "M21: most places are not at 79-82, which is blank" },
        { "places not at their columns in the last lines only",
            { ResultLine({ .place = "1" }), ResultLine({ .place = "2" }),
                ResultLine({ .place = "3" }), ResultLine({}) + "  +00:00     4", ResultLine({}) + "  +00:00     5",
                ResultLine({}) + "  +00:00     6", ResultLine({}) + "  +00:00     7" },
            "M21: most places are not at 79-82, which is blank" },
        { "places with a dot",
            { ResultLine({ .place = "1." }), ResultLine({ .time = "00:41:00", .place = "2." }) },
            "M21: most places are not at 79-82 (\"1.\" stands there)" },
        { "the birth year in the qualification's place",
            { Shifted("I", "00:40:00", 68, "   1", 79), Shifted("II", "00:41:00", 68, "   2", 79) },
            std::string("M21: most qualifications at 53-57 are no code the reader knows (\"1990\"): "
                        "they are read as no rank and written as \"б/р\""_w1251) },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<ProtocolLine> lines = Protocol(c.results);
        const std::vector<Failure> problems = CheckTableLayouts(lines, { Named("M21") });
        if (c.problem.empty()) {
            EXPECT_TRUE(problems.empty()) << problems.front().Reason;
        } else {
            ASSERT_EQ(problems.size(), 1u);
            EXPECT_EQ(problems[0], (Failure { 2, c.problem }));
        }
    }
}

TEST(CheckTableLayouts, OneWarningNamesEveryTable)
{
    const std::string shifted = Shifted("I", "0:10:45", 74, "1", 86);
    const std::vector<ProtocolLine> lines { std::string("<h2>Ж21</h2>"_w1251), "<pre>", shifted,
        "</pre>", "<h2>M35</h2>", "<pre>", shifted, "</pre>" };
    const std::string text = DescribeLayoutProblems(
        "in.htm", CheckTableLayouts(lines, { Named("Ж21"_w1251), Named("M35") }));
    EXPECT_NE(text.find("\n  in.htm:2: Ж21: its columns are not"), std::string::npos) << text;
    EXPECT_NE(text.find("\n  in.htm:6: M35: its columns are not"), std::string::npos) << text;
    EXPECT_EQ(DescribeLayoutProblems("in.htm", {}), "");
}

TEST(CheckTableLayouts, TablesAreNamedAsTheRewritePairsThemAndPartsAgree)
{
    // A heading inside a table and one on its closing line count for the tables after it, as
    // the rewrite pairs them; checked in parts, the findings are the whole protocol's.
    const std::string shifted = Shifted("I", "0:10:45", 74, "1", 86);
    const ProtocolLines lines { "<h2>A</h2>", "<pre>", shifted, "<h2>B</h2>", "</pre><h2>C</h2>",
        "<pre>", shifted, "</pre>", "<pre>", shifted, "</pre>" };
    const std::vector<GroupSettings> groups { Named("A"), Named("B"), Named("C") };
    const std::vector<Failure> whole = CheckTableLayouts(lines, groups);
    ASSERT_EQ(whole.size(), 3u);
    EXPECT_TRUE(whole[0].Reason.starts_with("A: ")) << whole[0].Reason;
    EXPECT_TRUE(whole[1].Reason.starts_with("C: ")) << whole[1].Reason;
    EXPECT_EQ(whole[2].Line, 9u);
    std::vector<Failure> inParts;
    for (const ProtocolPart &part : ProtocolParts(lines, 1)) {
        const std::vector<Failure> found = CheckTableLayouts(lines, groups, part);
        inParts.insert(inParts.end(), found.begin(), found.end());
    }
    EXPECT_EQ(inParts, whole);
}

TEST(CheckTableLayouts, AHeadingInTheUnreadHalfOfATableStillCounts)
{
    // The usual table is settled after its first lines; the heading further down is B's, and
    // the table after the closing line's heading is C's.
    const std::string usual = testlines::ResultLine({ .place = "1" });
    const std::string shifted = Shifted("I", "0:10:45", 74, "1", 86);
    const ProtocolLines lines { "<h2>A</h2>", "<pre>", usual, usual, usual, usual, usual,
        "<h2>B</h2>", usual, "</pre><h2>C</h2>", "<pre>", shifted, "</pre>" };
    const std::vector<Failure> problems
        = CheckTableLayouts(lines, { Named("A"), Named("B"), Named("C") });
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(problems[0].Reason.starts_with("C: ")) << problems[0].Reason;
}
