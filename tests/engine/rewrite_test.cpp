// The rewrite of a whole protocol: header, awards, points, summary, signatures, and the
// pairing of tables with groups.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/cp1251.h"
#include "engine/qualification.h"
#include "engine/rewrite.h"
#include "tests/engine/test_lines.h"

namespace {

using namespace engine;
using testlines::Athlete;
using testlines::Clock;
using testlines::ResultLine;

const std::string Header = [] {
    std::string header = "Num  Name                      Team                 Qual  Born";
    header.resize(70, ' ');
    return header + "Result Place Notes";
}();

GroupSettings Group(int distanceClass = 2, Category category = Category::Adults, int masters = 0, int table = 0)
{
    GroupSettings group;
    group.Name = "M21";
    group.Heading = "M21";
    group.DistanceClass = static_cast<DistanceClass>(distanceClass);
    group.Category = category;
    group.MastersCount = masters;
    group.PointsTable = table;
    return group;
}

// One group's table: heading, "<pre>", header, the result lines, "</pre>".
std::vector<ProtocolLine> Table(const std::vector<std::string> &results)
{
    std::vector<ProtocolLine> lines { "<h2>M21</h2>", "<pre>", Header };
    lines.insert(lines.end(), results.begin(), results.end());
    lines.push_back("</pre>");
    return lines;
}

// n athletes with distinct times from 40:00 on, 10 seconds apart, places 1..n, of one code.
std::vector<std::string> Athletes(int n, std::string_view qualification, int winner = 2400)
{
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i) {
        const std::string time = Clock(winner + 10 * i);
        const std::string place = std::to_string(i + 1);
        lines.push_back(ResultLine({ .qualification = qualification, .time = time, .place = place }));
    }
    return lines;
}

RewriteResult Rewrite(const std::vector<ProtocolLine> &lines, const std::vector<GroupSettings> &groups,
                      const ProcessOptions &options = {},
                      const TeamPointsSource &points = NoTeamPoints(),
                      std::optional<std::string> inspector = std::string("Inspector Name"))
{
    return RewriteProtocol(lines, groups, options, points, [inspector] { return inspector; });
}

// The rewritten result lines of the first table (between the second and third hyphen rules).
std::vector<std::string> ResultsOf(const RewriteResult &result)
{
    std::vector<std::string> results;
    int rules = 0;
    for (const auto &line : result.Lines) {
        if (!line.empty() && std::all_of(line.begin(), line.end(), [](char c) { return c == '-'; })) {
            ++rules;
            continue;
        }
        if (rules == 2)
            results.push_back(line);
    }
    return results;
}

std::string_view AwardOf(std::string_view line) { return line.substr(83, 5); }

std::vector<std::string> SummaryOf(const RewriteResult &result)
{
    const auto last = std::find_if(result.Lines.rbegin(), result.Lines.rend(), [](const std::string &l) {
        return !l.empty() && l.find_first_not_of('-') == std::string::npos;
    });
    std::vector<std::string> summary(last.base(), result.Lines.end());
    summary.pop_back(); // "</pre>"
    return summary;
}

TEST(Rewrite, ProtocolWithoutTablesIsCopiedUnchanged)
{
    const std::vector<ProtocolLine> lines { "<html>", "<h2>M21</h2>", "", "text</pre>", "</html>" };
    const auto result = Rewrite(lines, { Group() });
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(result.Lines, lines);
}

TEST(Rewrite, HeaderIsRebuilt)
{
    struct Case
    {
        const char *name;
        std::string header;
        bool rating;
        int table;
        std::string expected;
    };
    const std::string title = std::string(67, 'x'); // 67 bytes before the squeeze column
    const Case cases[] = {
        { "blanks at 68 squeezed, award title appended past the end", title + "    Result",
          false, 0, title + "Result" + "Вып"_w1251.data() },
        { "tags removed in any case, one pass each", "<B>Na<u>me</U></b> <<b>b>", false, 0,
          "Name <b>Вып"_w1251.data() },
        { "short header is not squeezed", "Name   ", false, 0, "Name   Вып"_w1251.data() },
        { "header of blanks only past 68 is cut at 67", title + "      ", false, 0,
          title + "Вып"_w1251.data() },
        { "both points titles, team first", std::string(83, '.') + "Notes", true, 1,
          std::string(83, '.') + std::string("Вып  Oчки Oчки Notes"_w1251) },
        { "rating title only", std::string(83, '.') + "Notes", true, 0,
          std::string(83, '.') + std::string("Вып  Oчки Notes"_w1251) },
        { "points titles after an award title appended past the end", std::string(82, '.'), true, 1,
          std::string(82, '.') + std::string("Вып  Oчки Oчки"_w1251) },
        { "an entity one column", "x&nbsp;" + std::string(81, '.') + "Notes", false, 0,
          "x " + std::string(81, '.') + std::string("Вып  Notes"_w1251) },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProcessOptions options;
        options.RatingPoints = c.rating;
        std::vector<ProtocolLine> lines { "<h2>M21</h2>", "<pre>", c.header,
                                          ResultLine({ .place = "1" }), "</pre>" };
        const auto result = Rewrite(lines, { Group(2, Category::Adults, 0, c.table) }, options,
                                    testlines::ColumnPoints({ "5" }));
        ASSERT_GE(result.Lines.size(), 5u);
        EXPECT_EQ(result.Lines[3], c.expected);
        EXPECT_EQ(result.Lines[2], std::string(c.expected.size(), '-'));
        EXPECT_EQ(result.Lines[4], result.Lines[2]);
    }
}

TEST(Rewrite, HeaderAboveHyphenRuleIsUsed)
{
    std::vector<ProtocolLine> lines { "<h2>M21</h2>", "<pre>", "Title", "-----------",
                                      ResultLine({ .place = "1" }), "</pre>" };
    const auto result = Rewrite(lines, { Group() });
    EXPECT_EQ(result.Lines[3], std::string("TitleВып"_w1251));
}

// A table without a title gets a header of the new titles below its "<pre>", whether its
// first line is a result or an athlete with a status, which stays as it was; rewritten again
// it comes out the same.
TEST(Rewrite, ATableWithoutATitleGetsAHeaderOfItsOwn)
{
    std::string status(62, ' ');
    status.replace(5, 6, "Runner");
    status += "1990      DNF";
    const std::string header = std::string(83, ' ') + std::string("Вып"_w1251);
    const std::string rule(header.size(), '-');
    for (const bool withStatus : { false, true }) {
        SCOPED_TRACE(withStatus);
        std::vector<ProtocolLine> lines { "<h2>M21</h2>", "<pre>" };
        if (withStatus)
            lines.push_back(status);
        lines.insert(lines.end(), { ResultLine({ .place = "1" }), "</pre>" });
        const auto once = Rewrite(lines, { Group() });
        ASSERT_GE(once.Lines.size(), 7u);
        const std::vector<ProtocolLine> top(once.Lines.begin(), once.Lines.begin() + (withStatus ? 6 : 5));
        std::vector<ProtocolLine> expected { "<h2>M21</h2>", "<pre>", rule, header, rule };
        if (withStatus)
            expected.push_back(status);
        EXPECT_EQ(top, expected);
        EXPECT_EQ(Rewrite(once.Lines, { Group() }).Lines, once.Lines);
    }
}

TEST(Rewrite, AwardFollowsClassMastersAndCategory)
{
    // Eleven КМС athletes give rank 300 (row 250): КМС up to 108 %, I 123 %, II 142 %,
    // III 170 %. Eleven of I give rank 100 (row 100): I 111 %, II 129 %, III 154 %, IIю 189 %.
    // The winner runs 2400 s; the athlete looked at comes twelfth.
    struct Case
    {
        const char *name;
        std::string_view field;
        int distanceClass;
        Category category;
        int masters;
        int seconds;
        std::string_view place;
        std::string_view award;
    };
    const std::string_view kms = "КМС"_w1251;
    const Case cases[] = {
        { "КМС standard met on a КМС course", kms, 1, Category::Adults, 0, 2592, "12", "КМС  "_w1251 },
        { "class caps the award", kms, 2, Category::Adults, 0, 2592, "12", "I    "_w1251 },
        { "master by place whatever the time", kms, 0, Category::Adults, 3, 9000, "3", "МС   "_w1251 },
        { "beyond the masters count by time only", kms, 0, Category::Adults, 3, 2593, "4", "I    "_w1251 },
        { "shared place written with '='", kms, 0, Category::Adults, 3, 9000, "= 2", "МС   "_w1251 },
        { "too slow for every standard", kms, 2, Category::Combined, 0, 4081, "12", "-    "_w1251 },
        { "adults get no junior rank", "I", 2, Category::Adults, 0, 4000, "12", "-    "_w1251 },
        { "combined keep IIю", "I", 2, Category::Combined, 0, 4000, "12", "IIю  "_w1251 },
        { "juniors get Iю for III", "I", 2, Category::Juniors, 0, 3600, "12", "Iю   "_w1251 },
        { "combined keep III", "I", 2, Category::Combined, 0, 3600, "12", "III  "_w1251 },
        { "not counted", kms, 1, Category::NotCounted, 0, 2400, "12", "-    "_w1251 },
        { "do-not-count class", kms, static_cast<int>(DistanceClass::DoNotCount), Category::Combined, 0, 2400, "12", "-    "_w1251 },
        { "out of competition awarded by time", kms, 1, Category::Adults, 5, 2400, " в/к"_w1251, "КМС  "_w1251 },
        { "unreadable place", kms, 1, Category::Adults, 0, 2400, "x", "-    "_w1251 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto results = Athletes(11, c.field);
        const std::string time = Clock(c.seconds);
        results.push_back(ResultLine({ .time = time, .place = c.place }));
        const auto result = Rewrite(Table(results), { Group(c.distanceClass, c.category, c.masters) });
        const auto rewritten = ResultsOf(result);
        ASSERT_EQ(rewritten.size(), 12u);
        EXPECT_EQ(AwardOf(rewritten.back()), c.award);
    }
}

TEST(Rewrite, QualificationFieldIsNormalised)
{
    auto results = Athletes(10, "II"_w1251);
    results.push_back(ResultLine({ .qualification = "кмс"_w1251, .place = "11" }));
    results.push_back(ResultLine({ .team = "Kaunas LTU", .qualification = "кмс"_w1251, .place = "12" }));
    const auto rewritten = ResultsOf(Rewrite(Table(results), { Group() }));
    ASSERT_EQ(rewritten.size(), 12u);
    EXPECT_EQ(rewritten[10].substr(52, 5), "б/р  "_w1251);
    // A foreign athlete keeps the field as written and is not awarded.
    EXPECT_EQ(rewritten[11].substr(52, 5), "кмс  "_w1251);
    EXPECT_EQ(AwardOf(rewritten[11]), "-    ");
}

TEST(Rewrite, NineAthletesGiveNoRank)
{
    const auto result = Rewrite(Table(Athletes(9, "МС"_w1251)), { Group() });
    for (const auto &line : ResultsOf(result))
        EXPECT_EQ(AwardOf(line), "-    ");
    EXPECT_EQ(SummaryOf(result), std::vector<std::string> { std::string("Ранг не определялся"_w1251) });
}

TEST(Rewrite, SummaryLines)
{
    // Ten МС athletes: rank 1000 (row 0), winner 2400 s.
    struct Case
    {
        const char *name;
        GroupSettings group;
        char separator;
        std::vector<std::string_view> expected;
    };
    const Case cases[] = {
        { "class МС, one master", Group(0, Category::Adults, 1), '.',
          { "Класс дистанции    - МС   "_w1251, "Ранг соревнований  - 1000.0 баллов"_w1251,
            "МС    -  1 место"_w1251, "КМС   -  126%  -  0:50:24"_w1251,
            "I     -  142%  -  0:56:48"_w1251, "II    -  166%  -  1:06:24"_w1251 } },
        { "class МС, three masters, comma", Group(0, Category::Adults, 3), ',',
          { "Класс дистанции    - МС   "_w1251, "Ранг соревнований  - 1000,0 баллов"_w1251,
            "МС    -  1-3 места"_w1251, "КМС   -  126%  -  0:50:24"_w1251,
            "I     -  142%  -  0:56:48"_w1251, "II    -  166%  -  1:06:24"_w1251 } },
        { "class I р. starts at I", Group(2, Category::Adults, 5), '.',
          { "Класс дистанции    - I    "_w1251, "Ранг соревнований  - 1000.0 баллов"_w1251,
            "I     -  142%  -  0:56:48"_w1251, "II    -  166%  -  1:06:24"_w1251 } },
        { "not counted", Group(0, Category::NotCounted, 1), '.', { "Ранг не определялся"_w1251 } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProcessOptions options;
        options.DecimalSeparator = c.separator;
        const auto summary = SummaryOf(Rewrite(Table(Athletes(10, "МС"_w1251)), { c.group }, options));
        EXPECT_EQ(summary, std::vector<std::string>(c.expected.begin(), c.expected.end()));
    }
}

TEST(Rewrite, StandardsFollowCategory)
{
    // Ten athletes of II give rank 30 (row 16): II 111, III 132, Iю 132, IIю 162.
    const auto labels = [](Category category) {
        const auto summary = SummaryOf(Rewrite(Table(Athletes(10, "II"_w1251)), { Group(2, category) }));
        std::vector<std::string> out;
        for (std::size_t i = 2; i < summary.size(); ++i)
            out.push_back(summary[i].substr(0, 5));
        return out;
    };
    const std::string ii(QualificationLabels[4]), iii(QualificationLabels[5]),
        iy(QualificationLabels[6]), iiy(QualificationLabels[7]);
    EXPECT_EQ(labels(Category::Adults), (std::vector<std::string> { ii, iii }));
    EXPECT_EQ(labels(Category::Juniors), (std::vector<std::string> { ii, iy, iiy }));
    EXPECT_EQ(labels(Category::Combined), (std::vector<std::string> { ii, iii, iiy }));
}

TEST(Rewrite, OldSummaryIsReplaced)
{
    auto lines = Table(Athletes(10, "МС"_w1251));
    lines.insert(lines.end() - 1, { "-----------", "Класс дистанции    - I"_w1251.data(),
                                    "Ранг соревнований  - 1.0"_w1251.data(), "stale" });
    const auto result = Rewrite(lines, { Group() });
    EXPECT_EQ(std::count(result.Lines.begin(), result.Lines.end(), "stale"), 0);
    EXPECT_EQ(SummaryOf(result).front(), std::string("Класс дистанции    - I    "_w1251));
    EXPECT_EQ(result.Lines.back(), "</pre>");
}

TEST(Rewrite, RatingPoints)
{
    ProcessOptions options;
    options.RatingPoints = true;
    std::vector<std::string> results {
        ResultLine({ .time = "00:40:00", .place = "1" }),
        ResultLine({ .time = "00:53:20", .place = "2" }),  // 4/3 of the first: 500
        ResultLine({ .time = "01:20:00", .place = "3" }),  // twice the first: 0
        ResultLine({ .time = "02:00:00", .place = "4" }),  // negative: 0
        ResultLine({ .time = "00:40:00", .place = " в/к"_w1251 }),
    };
    const auto rewritten = ResultsOf(Rewrite(Table(results), { Group() }, options));
    ASSERT_EQ(rewritten.size(), 5u);
    const std::string_view expected[] = { " 1000", "  500", "    0", "    0", "    -" };
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(rewritten[i].substr(87, 5), expected[i]) << "line " << i;

    // Halves go to the even integer: with K2 = 1.0625 the first athlete's value is
    // 0.0625 * K1, exactly 0.5 for K1 = 8 (-> 0) and 1.5 for K1 = 24 (-> 2).
    options.K1Text = "8";
    options.K2Text = "1,0625";
    options.DecimalSeparator = ',';
    const auto halves = ResultsOf(Rewrite(Table({ results[0] }), { Group() }, options));
    EXPECT_EQ(halves[0].substr(87, 5), "    0");
    options.K1Text = "24";
    EXPECT_EQ(ResultsOf(Rewrite(Table({ results[0] }), { Group() }, options))[0].substr(87, 5),
              "    2"); // 1.5 -> 2
}

TEST(Rewrite, RunFailures)
{
    ProcessOptions options;
    options.RatingPoints = true;
    options.K2Text = " 2.5x";
    auto result = Rewrite(Table(Athletes(3, "I")), { Group() }, options);
    EXPECT_TRUE(result.Failed());
    EXPECT_EQ(result.Error(), (Failure { 0, "' 2.5x' is not a valid floating point value" }));
    EXPECT_TRUE(result.Lines.empty());

    options.K2Text = "2";
    auto zero = Athletes(2, "I");
    zero.push_back(ResultLine({ .time = "00:00:00", .place = "3" }));
    result = Rewrite(Table(zero), { Group() }, options);
    EXPECT_TRUE(result.Failed());
    // Lines 1..3 are the heading, "<pre>" and the header: the third athlete is line 6.
    EXPECT_EQ(result.Error(), (Failure { 6, "Floating point division by zero" }));
    EXPECT_EQ(result.Lines.size(), 2u + 3u + 2u); // heading, "<pre>", header, two athletes

    options.K1Text = "1e300";
    result = Rewrite(Table(Athletes(1, "I")), { Group() }, options);
    EXPECT_TRUE(result.Failed());
    EXPECT_EQ(result.Error(), (Failure { 4, "Invalid floating point operation" }));

    // Ten thousand points would touch the team points' column: the run stops at that line.
    options.K1Text = "1000";
    options.K2Text = "11";
    result = Rewrite(Table(Athletes(1, "I")), { Group() }, options);
    EXPECT_TRUE(result.Failed());
    // Reasons are in the protocol's encoding, as the window and the batch tool convert them.
    EXPECT_EQ(result.Error().Line, 4u);
    EXPECT_EQ(result.Error().Reason,
        "rating points 10000 do not fit their column (at most 9999): check the \"К=\" values and "
        "the times"_w1251);
    options.K2Text = "10.999";
    EXPECT_TRUE(Rewrite(Table(Athletes(1, "I")), { Group() }, options).Ok());

    // 2400 * 1e308 overflows to infinity, and infinity times 0 is not a number: 0 points.
    options.K1Text = "0";
    options.K2Text = "1e308";
    result = Rewrite(Table(Athletes(1, "I")), { Group() }, options);
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(ResultsOf(result)[0].substr(87, 5), "    0");
}

TEST(Rewrite, HeadingOnTheTableLineCountsForLaterTablesOnly)
{
    const std::string result = ResultLine({ .place = "1" });
    const std::vector<ProtocolLine> lines { "<h2>A</h2>", "<pre><h2>B</h2>", "First", result,
                                            "</pre>", "<pre>", "Second", result, "</pre>" };
    GroupSettings a = Group();
    GroupSettings b = Group();
    b.PointsTable = 1;
    const auto rewritten = Rewrite(lines, { a, b }, {}, testlines::ColumnPoints({ "5" })).Lines;
    EXPECT_EQ(std::count(rewritten.begin(), rewritten.end(), std::string("FirstВып"_w1251)), 1);
    EXPECT_EQ(std::count(rewritten.begin(), rewritten.end(), std::string("SecondВып  Oчки"_w1251)), 1);
}

TEST(Rewrite, TeamPoints)
{
    struct Case
    {
        const char *name;
        std::vector<Athlete> athletes;
        std::vector<std::string> table;
        std::vector<std::string_view> expected;
    };
    const Case cases[] = {
        { "personal athlete takes no row",
          { { .place = "1" }, { .team = "лично"_w1251, .place = "2" }, { .place = "3" } },
          { "25", "20", "18" }, { "   25", "    -", "   20" } },
        { "personal in the remarks after a blank",
          { { .place = "1" }, { .place = "2", .remarks = " Лично"_w1251 }, { .place = "3" } },
          { "25", "20", "18" }, { "   25", "    -", "   20" } },
        { "shared places share a row",
          { { .place = "1" }, { .place = "= 2" }, { .place = "= 2" }, { .place = "4" } },
          { "25", "20", "18", "16" }, { "   25", "   20", "   20", "   16" } },
        { "beyond the last place the last value",
          { { .place = "1" }, { .place = "2" }, { .place = "3" } }, { "9", "8" },
          { "    9", "    8", "    8" } },
        { "an empty cell takes the value above it",
          { { .place = "1" }, { .place = "2" }, { .place = "3" } }, { "9", "", "" },
          { "    9", "    9", "    9" } },
        { "out of competition takes no row",
          { { .place = "1" }, { .place = " в/к"_w1251 }, { .place = "2" } }, { "9", "8" },
          { "    9", "    -", "    8" } },
        { "places that fall give no row",
          { { .team = "лично"_w1251, .place = "5" }, { .place = "2" } }, { "9", "8", "7" },
          { "    -", "    -" } },
        { "no places at all", { { .place = "1" } }, {}, { "    -" } },
        { "a row above the last one read",
          { { .place = "3" }, { .team = "лично"_w1251, .place = "5" }, { .place = "4" } },
          { "9", "", "7" }, { "    7", "    -", "    9" } },
        { "rows above a gap", { { .place = "1" }, { .place = "2" }, { .place = "3" }, { .place = "4" } },
          { "", "", "6", "" }, { "     ", "     ", "    6", "    6" } },
        { "wide values are not cut", { { .place = "1" } }, { "123456" }, { "123456" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> results;
        for (const Athlete &a : c.athletes)
            results.push_back(ResultLine(a));
        const auto rewritten
            = ResultsOf(Rewrite(Table(results), { Group(2, Category::Adults, 0, 1) }, {}, testlines::ColumnPoints(c.table)));
        ASSERT_EQ(rewritten.size(), c.expected.size());
        for (std::size_t i = 0; i < rewritten.size(); ++i)
            EXPECT_EQ(rewritten[i].substr(87, c.expected[i].size()), c.expected[i]) << "athlete " << i;
    }
}

TEST(Rewrite, TeamPointsOfRemovedTableAreDashes)
{
    const auto rewritten = ResultsOf(Rewrite(Table({ ResultLine({ .place = "1" }) }),
                                             { Group(2, Category::Adults, 0, 3) }, {},
                                             testlines::ColumnPoints({ "25" })));
    ASSERT_EQ(rewritten.size(), 1u);
    EXPECT_EQ(rewritten[0].substr(87, 5), "    -");
}

TEST(Rewrite, BothPointsColumnsAndPersonalWithRating)
{
    ProcessOptions options;
    options.RatingPoints = true;
    const std::vector<std::string> results {
        ResultLine({ .time = "00:40:00", .place = "1" }),
        ResultLine({ .team = "лично"_w1251, .time = "00:40:00", .place = "2" }),
        ResultLine({ .time = "00:40:00", .place = "3" }),
    };
    const auto rewritten = ResultsOf(Rewrite(Table(results), { Group(2, Category::Adults, 0, 1) }, options,
                                             testlines::ColumnPoints({ "25", "20", "18" })));
    ASSERT_EQ(rewritten.size(), 3u);
    // The award label's first four bytes, team points, rating points, the label's fifth byte.
    EXPECT_EQ(rewritten[0].substr(83, 15), "-      25 1000 ");
    EXPECT_EQ(rewritten[1].substr(83, 15), "-       - 1000 ");
    EXPECT_EQ(rewritten[2].substr(83, 15), "-      20 1000 ");
}

TEST(Rewrite, Signatures)
{
    const std::string judge = "Главный судья"_w1251.data();
    struct Case
    {
        const char *name;
        std::vector<ProtocolLine> lines;
        int distanceClass;
        std::vector<ProtocolLine> expected;
    };
    const std::string inspectorLine = std::string("Инспектор дистанций"_w1251) + std::string(29, ' ');
    const Case cases[] = {
        { "closing tag moves below the inspector", { "<pre>", judge + " Smith</pre>", "</body>" }, 1,
          { "<pre>", judge + " Smith", inspectorLine + "Inspector Name</pre>", "</body>" } },
        { "one-line opening", { "<pre>" + judge + " Smith", "Secretary</pre>" }, 0,
          { "<pre>" + judge + " Smith", "Secretary", inspectorLine + "Inspector Name</pre>" } },
        { "judge line without the closing tag is kept whole",
          { "<pre>", judge + " Smith", "Secretary</pre>" }, 1,
          { "<pre>", judge + " Smith", inspectorLine + "Inspector Name", "Secretary</pre>" } },
        { "no inspector needed", { "<pre>", judge + " Smith</pre>" }, 2,
          { "<pre>", judge + " Smith</pre>" } },
        { "signatures on the last line", { "<pre>" + judge }, 1, { "<pre>" + judge } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = Rewrite(c.lines, { Group(c.distanceClass) });
        EXPECT_EQ(result.Lines, c.expected);
    }
}

TEST(Rewrite, InspectorNameLosesLeadingBlanksAndControls)
{
    const std::string judge = "Главный судья"_w1251.data();
    const auto result = Rewrite({ "<pre>", judge + "</pre>" }, { Group(0) }, {}, NoTeamPoints(),
                                std::string(" \t Name"));
    ASSERT_EQ(result.Lines.size(), 3u);
    EXPECT_EQ(result.Lines[2].substr(48), "Name</pre>");
}

TEST(Rewrite, InspectorIsAskedOnlyForМСOrКМСCourses)
{
    for (int distanceClass = 0; distanceClass < DistanceClassCount; ++distanceClass) {
        int asked = 0;
        const auto result = RewriteProtocol(Table(Athletes(2, "I")), { Group(distanceClass) }, {},
                                            NoTeamPoints(), [&] {
                                                ++asked;
                                                return std::optional<std::string>("Name");
                                            });
        EXPECT_EQ(asked, distanceClass < 2 ? 1 : 0) << "class " << distanceClass;
        EXPECT_TRUE(result.Ok());
    }
    const auto cancelled = Rewrite(Table(Athletes(2, "I")), { Group(1) }, {}, NoTeamPoints(), std::nullopt);
    EXPECT_TRUE(cancelled.Cancelled);
    EXPECT_TRUE(cancelled.Lines.empty());
}

TEST(Rewrite, TablesArePairedWithTheHeadingAboveThem)
{
    const std::vector<std::string> results = Athletes(1, "I");
    std::vector<ProtocolLine> lines {
        "<pre>", "stray block before any heading", results[0], "</pre>",
        "<h2>A</h2>", "<pre>", "Title", results[0], "</pre>",
        "<pre>", "second table under the same heading", results[0], "</pre>",
        "<h2>B</h2>", "<h2>C</h2>", "<pre>", "Title", results[0], "</pre>",
    };
    GroupSettings a = Group(), b = Group(), c = Group();
    c.PointsTable = 1; // only C's table gets a team points title
    const auto result = Rewrite(lines, { a, b, c }, {}, testlines::ColumnPoints({ "5" }));
    ASSERT_TRUE(result.Ok());
    const std::vector<ProtocolLine> strayBlock(lines.begin(), lines.begin() + 4);
    EXPECT_TRUE(std::equal(strayBlock.begin(), strayBlock.end(), result.Lines.begin()));
    EXPECT_EQ(std::count(result.Lines.begin(), result.Lines.end(), std::string("TitleВып"_w1251)),
              1); // table of A
    EXPECT_EQ(std::count(result.Lines.begin(), result.Lines.end(),
                         std::string("second table under the same headingВып"_w1251)), 1);
    EXPECT_EQ(std::count(result.Lines.begin(), result.Lines.end(),
                         std::string("TitleВып  Oчки"_w1251)), 1); // table of C
}

TEST(Rewrite, TableBeyondGroupsIsCopiedUnchanged)
{
    const auto lines = Table(Athletes(2, "I"));
    EXPECT_EQ(Rewrite(lines, {}).Lines, lines);
}

TEST(Rewrite, BlockWithoutResultsIsCopiedAndNextTableKeepsItsGroup)
{
    std::vector<ProtocolLine> lines { "<h2>A</h2>", "<pre>", "no results here", "</pre>", "<h2>B</h2>" };
    const auto tableB = Table(Athletes(10, "МС"_w1251));
    lines.insert(lines.end(), tableB.begin() + 1, tableB.end());
    const auto result = Rewrite(lines, { Group(2, Category::Adults), Group(2, Category::NotCounted) });
    EXPECT_TRUE(std::equal(lines.begin(), lines.begin() + 6, result.Lines.begin()));
    // B is not counted: its table says so.
    EXPECT_EQ(SummaryOf(result), std::vector<std::string> { std::string("Ранг не определялся"_w1251) });
}

TEST(Rewrite, ClosingTagWithTextEndsTheTable)
{
    auto lines = Table(Athletes(2, "I"));
    lines.back() = "</pre><h2>Next</h2>";
    lines.push_back("<p>after</p>");
    const auto result = Rewrite(lines, { Group(), Group() });
    ASSERT_GE(result.Lines.size(), 2u);
    EXPECT_EQ(result.Lines[result.Lines.size() - 2], "</pre><h2>Next</h2>");
    EXPECT_EQ(result.Lines.back(), "<p>after</p>");
}

TEST(Rewrite, ToleratesAnyBytes)
{
    std::vector<ProtocolLine> lines { "<h2>", "<pre>", std::string(10'000'000, ':'), "<pre>",
                                      std::string("\0\xff\x98<pre>", 8), "<pre>Главный судья"_w1251.data() };
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(static_cast<char>((i * 7919) & 0xFF));
    lines.push_back(binary);
    ProcessOptions options;
    options.RatingPoints = true;
    const auto result = Rewrite(lines, { Group(0, Category::Adults, 2, 5) }, options, testlines::ColumnPoints({ "1" }));
    EXPECT_FALSE(result.Cancelled);
}

} // namespace

TEST(RewriteParts, TheirLinesInOrderAreTheWholeRewrite)
{
    const std::string judge = "Главный судья"_w1251.data();
    auto group = [](const char *name) {
        GroupSettings settings = Group(1);
        settings.Name = name;
        return settings;
    };
    // Three groups; a signatures block whose second line is a closing tag, which the block
    // takes as its chief judge's line, so that the line after it is not looked at as the start
    // of signatures (no part may start there); a stray closing tag; a heading on a table's own
    // line.
    std::vector<ProtocolLine> lines = { "<html>" };
    for (const char *name : { "A", "B" }) {
        std::vector<ProtocolLine> table = Table(Athletes(12, "I"));
        table[0] = std::string("<h2>") + name + "</h2>";
        lines.insert(lines.end(), table.begin(), table.end());
    }
    lines.insert(lines.end(), { "<pre>" + judge + " Smith", "</pre>", "<pre>" + judge + " Again",
                                  "<pre><h2>C</h2>", Header });
    const std::vector<std::string> third = Athletes(11, "II");
    lines.insert(lines.end(), third.begin(), third.end());
    lines.insert(lines.end(), { "</pre>", "</pre> stray", "</body>" });
    std::vector<ProtocolLine> failing = lines; // a zero time in the third table
    failing[failing.size() - 5] = ResultLine({ .time = "00:00:00", .place = "12" });

    ProcessOptions options;
    options.RatingPoints = true;
    const std::vector<GroupSettings> groups = { group("A"), group("B"), group("C") };
    for (const auto &[name, protocol] : { std::pair { "succeeds", &lines }, { "fails", &failing } }) {
        const ProtocolLines input(*protocol);
        const RewriteResult whole = Rewrite(*protocol, groups, options);
        RewriteRun run;
        ASSERT_TRUE(PrepareRewrite(groups, options, [] { return std::string("Inspector Name"); }, run).Ok());
        for (const std::size_t bytes : { std::size_t { 1 }, std::size_t { 300 }, std::size_t { 1 } << 20 }) {
            SCOPED_TRACE(std::string(name) + ", parts of " + std::to_string(bytes) + " bytes");
            const std::vector<ProtocolPart> parts = ProtocolParts(input, bytes);
            if (bytes == 1) { // after each table but the chief judge's line
                EXPECT_EQ(parts.size(), 5u);
            }
            std::vector<ProtocolLine> made;
            Status last = Success();
            std::size_t next = 0;
            for (const ProtocolPart &part : parts) {
                EXPECT_EQ(part.First, next);
                next = part.End;
                const Status checked = CheckPart(input, groups, options, NoTeamPoints(), run, part);
                last = RewritePart(input, groups, options, NoTeamPoints(), run, part,
                    [&](std::string_view line) { made.emplace_back(line); });
                EXPECT_EQ(checked, last);
                if (!last)
                    break;
            }
            EXPECT_EQ(made, whole.Lines);
            EXPECT_EQ(last, whole.Outcome);
        }
    }
}

// A table whose places stand far to the right pads its lines wider than the walk's buffer for
// a short line: checking the rating points reads a line without a place as the rewrite does,
// and writes nothing past the buffer (which overwrote the walk's own strings).
TEST(RewriteParts, ATablePaddedWideIsCheckedAsItIsRewritten)
{
    const std::string wide(220, ' ');
    const std::string title = std::string("№п/п Фамилия, имя              Коллектив            Квал "
                                          "Номер ГР   РезультатОтставан"_w1251)
        + wide + std::string("    Место Прим"_w1251);
    std::vector<ProtocolLine> lines { "<h2>M21</h2>", "<pre>", title };
    for (int i = 0; i < 5; ++i) {
        const std::string place = i < 4 ? wide + "      " + std::to_string(i + 1) : "";
        lines.push_back(std::string("   ") + std::to_string(i + 1)
            + std::string(" Кот Анна                  СДЮШОР-1             КМС   20"_w1251)
            + std::to_string(i) + " 1996 00:4" + std::to_string(5 + i) + ":00   +0"
            + std::to_string(i) + ":00" + place);
    }
    lines.push_back("</pre>");
    ProcessOptions options;
    options.RatingPoints = true;
    const std::vector<GroupSettings> groups = { Group(1) };
    const RewriteResult whole = Rewrite(lines, groups, options);
    ASSERT_TRUE(whole.Ok());
    ASSERT_GT(whole.Lines.size(), 4u);
    EXPECT_GT(whole.Lines[3].size(), title.size()); // the first line got its award
    const ProtocolLines input(lines);
    RewriteRun run;
    ASSERT_TRUE(PrepareRewrite(groups, options, [] { return std::string("Inspector Name"); }, run).Ok());
    std::vector<ProtocolLine> made;
    for (const ProtocolPart &part : ProtocolParts(input, 1)) {
        const Status checked = CheckPart(input, groups, options, NoTeamPoints(), run, part);
        EXPECT_EQ(checked, RewritePart(input, groups, options, NoTeamPoints(), run, part,
                               [&](std::string_view line) { made.emplace_back(line); }));
    }
    EXPECT_EQ(made, whole.Lines);
}

// A table may close with an indented "</pre>": what follows it is outside the table, kept as it
// stands by the whole rewrite as by the parts (which start afresh after that tag).
TEST(RewriteParts, AnIndentedClosingTagEndsTheResults)
{
    std::vector<ProtocolLine> lines { "<h2>M21</h2>", "<pre>" };
    for (int i = 0; i < 3; ++i)
        lines.push_back(std::string("   ") + std::to_string(i + 1)
            + std::string(" Кот Анна                  СДЮШОР-1             КМС   20"_w1251)
            + std::to_string(i) + " 1996 00:4" + std::to_string(5 + i) + ":00      "
            + std::to_string(i + 1));
    const std::vector<ProtocolLine> after { "          </pre>",
        std::string("Note Ж21 Клуб Азимут          I     0:35:00    1:10:00"_w1251), "</pre>" };
    lines.insert(lines.end(), after.begin(), after.end());
    const std::vector<GroupSettings> groups = { Group(1) };
    const RewriteResult whole = Rewrite(lines, groups, ProcessOptions {});
    ASSERT_TRUE(whole.Ok());
    ASSERT_GE(whole.Lines.size(), after.size());
    EXPECT_EQ(std::vector<ProtocolLine>(whole.Lines.end() - 3, whole.Lines.end()), after);
    const ProtocolLines input(lines);
    RewriteRun run;
    ASSERT_TRUE(PrepareRewrite(groups, ProcessOptions {}, [] { return std::string(); }, run).Ok());
    std::vector<ProtocolLine> made;
    for (const ProtocolPart &part : ProtocolParts(input, 1))
        ASSERT_TRUE(RewritePart(input, groups, ProcessOptions {}, NoTeamPoints(), run, part,
            [&](std::string_view line) { made.emplace_back(line); }));
    EXPECT_EQ(made, whole.Lines);
}
