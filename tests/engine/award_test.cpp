// The qualification tables, the standard times they set, the award by time and its gate.
#include "engine/award.h"
#include "engine/qualification.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

using namespace engine;

// ---------------------------------------------------------------- the tables

TEST(QualificationTables, CodesLabelsAndPoints)
{
    struct Row
    {
        std::string_view code;
        std::string_view label;
        double points;
    };
    constexpr Row rows[] = {
        { "МСМК "_w1251, "МСМК "_w1251, 130.0 },
        { "МС   "_w1251, "МС   "_w1251, 100.0 },
        { "КМС  "_w1251, "КМС  "_w1251, 30.0 },
        { "I    "_w1251, "I    "_w1251, 10.0 },
        { "II   "_w1251, "II   "_w1251, 3.0 },
        { "III  "_w1251, "III  "_w1251, 1.0 },
        { "Iю   "_w1251, "Iю   "_w1251, 1.0 },
        { "IIю  "_w1251, "IIю  "_w1251, 0.3 },
        { "     ", "б/р  "_w1251, 0.2 },
    };
    ASSERT_EQ(QualificationCodes.size(), 9u);
    ASSERT_EQ(QualificationLabels.size(), 10u);
    ASSERT_EQ(QualificationPoints.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(QualificationCodes[i], rows[i].code);
        EXPECT_EQ(QualificationLabels[i], rows[i].label);
        EXPECT_EQ(QualificationPoints[i], rows[i].points);
    }
    EXPECT_EQ(QualificationLabels[9], "-    ");
    EXPECT_EQ(IndexOf(Qualification::NotAwarded), 9u);
    EXPECT_EQ(IndexOf(Qualification::NoRank), 8u);
    // "I" is the Latin capital, "ю" the Cyrillic letter.
    EXPECT_EQ(QualificationCodes[6], "I\xFE   ");
    for (const std::string_view label : QualificationLabels)
        EXPECT_EQ(label.size(), 5u) << label;
}

TEST(QualificationTables, RankTableShape)
{
    // Rows quoted in the rules, then the shape every row keeps.
    EXPECT_EQ(RankTable[0], (std::array<int, 7> { 1000, 126, 142, 166, 0, 0, 0 }));
    EXPECT_EQ(RankTable[9], (std::array<int, 7> { 125, 100, 114, 132, 158, 158, 194 }));
    EXPECT_EQ(RankTable[26], (std::array<int, 7> { 2, 0, 0, 0, 0, 0, 123 }));
    EXPECT_EQ(RankTable[27], (std::array<int, 7> {}));
    ASSERT_EQ(RankRows, 28);
    for (int row = 0; row < RankRows; ++row) {
        SCOPED_TRACE(row);
        if (row > 0) {
            EXPECT_LT(RankTable[row][0], RankTable[row - 1][0]) << "thresholds fall";
        }
        EXPECT_EQ(RankTable[row][4], RankTable[row][5]) << "III and Iю share their standard";
        int previous = 0;
        for (int column = FirstStandardColumn; column <= LastStandardColumn; ++column) {
            const int percent = RankTable[row][column];
            if (percent == 0)
                continue;
            EXPECT_GE(percent, 100);
            EXPECT_GE(percent, previous) << "a lower qualification allows more time";
            previous = percent;
        }
    }
}

// ---------------------------------------------------------------- StandardSeconds

TEST(StandardSeconds, RaisedToTheNextSecond)
{
    EXPECT_EQ(StandardSeconds(3600, 126), 4536);
    EXPECT_EQ(StandardSeconds(3600, 142), 5112);
    EXPECT_EQ(StandardSeconds(1001, 126), 1262); // 1261.26
    EXPECT_EQ(StandardSeconds(1000, 100), 1000);
    EXPECT_EQ(StandardSeconds(99, 101), 100); // 99.99
    EXPECT_EQ(StandardSeconds(1, 1), 1); // 0.01
    EXPECT_EQ(StandardSeconds(100, 123), 123);
    EXPECT_EQ(StandardSeconds(1000, 0), 0);
    EXPECT_EQ(StandardSeconds(0, 126), 0);
    // The product does not fit in 32 bits.
    EXPECT_EQ(StandardSeconds(20000000, 199), 39800000);
    EXPECT_EQ(StandardSeconds(2147483647, 199), 4273492458LL); // 4273492457.53
}

// ---------------------------------------------------------------- AwardByTime

namespace {

struct AwardCase
{
    const char *name;
    int winner;
    int athlete;
    double rank;
    int award;
};

constexpr AwardCase AwardCases[] = {
    // Rank 1000, winner one hour: КМС to 126 %, I to 142 %, II to 166 %, no III.
    { "rank 1000 same time as winner", 3600, 3600, 1000, 2 },
    { "rank 1000 faster than winner", 3600, 3000, 1000, 2 },
    { "rank 1000 at 126 %", 3600, 4536, 1000, 2 },
    { "rank 1000 a second over 126 %", 3600, 4537, 1000, 3 },
    { "rank 1000 at 142 %", 3600, 5112, 1000, 3 },
    { "rank 1000 over 142 %", 3600, 5113, 1000, 4 },
    { "rank 1000 at 166 %", 3600, 5976, 1000, 4 },
    { "rank 1000 over 166 %, no III at this rank", 3600, 5977, 1000, 9 },
    { "rank above the top threshold", 3600, 4536, 5000, 2 },
    // 999.9 and 800 use the row of 800 (КМС 123 % = 4428 s, I 138 % = 4968 s).
    { "rank 999.9 at 123 %", 3600, 4428, 999.9, 2 },
    { "rank 999.9 over 123 %", 3600, 4429, 999.9, 3 },
    { "rank 800 at 123 %", 3600, 4428, 800, 2 },
    { "rank 800 over 123 %", 3600, 4429, 800, 3 },
    { "rank 800 over 138 %", 3600, 4969, 800, 4 },
    // Just below 800 the row of 630: КМС 120 % = 4320 s.
    { "rank 799.99 over 120 %", 3600, 4321, 799.99, 3 },
    { "rank 799.99 at 120 %", 3600, 4320, 799.99, 2 },
    // Rank 125, winner 1000 s: each column in turn.
    { "rank 125 КМС", 1000, 1000, 125, 2 },
    { "rank 125 just over КМС", 1000, 1001, 125, 3 },
    { "rank 125 I", 1000, 1140, 125, 3 },
    { "rank 125 II", 1000, 1141, 125, 4 },
    { "rank 125 II at the limit", 1000, 1320, 125, 4 },
    { "rank 125 III", 1000, 1321, 125, 5 },
    { "rank 125 III at the limit", 1000, 1580, 125, 5 },
    { "rank 125 IIю", 1000, 1581, 125, 7 },
    { "rank 125 IIю at the limit", 1000, 1940, 125, 7 },
    { "rank 125 nothing", 1000, 1941, 125, 9 },
    // Below 125 there is no КМС: the winner's own time earns I.
    { "rank 124.99 winner gets I", 1000, 1000, 124.99, 3 },
    { "rank 124.99 I at 111 %", 1000, 1110, 124.99, 3 },
    { "rank 124.99 II", 1000, 1111, 124.99, 4 },
    // Rank 40 is the last row with I (100 %); below it II is the best.
    { "rank 40 winner gets I", 1000, 1000, 40, 3 },
    { "rank 39.9 winner gets II", 1000, 1000, 39.9, 4 },
    { "rank 39.9 II at 114 %", 1000, 1140, 39.9, 4 },
    { "rank 39.9 III", 1000, 1141, 39.9, 5 },
    // Rank 630: III at 189 %, no IIю.
    { "rank 630 III at the limit", 1000, 1890, 630, 5 },
    { "rank 630 over III", 1000, 1891, 630, 9 },
    // Rank 160: IIю at 199 %.
    { "rank 160 IIю at the limit", 1000, 1990, 160, 7 },
    { "rank 160 over IIю", 1000, 1991, 160, 9 },
    // Rank 10 is the last row with II; rank 8 starts with III.
    { "rank 10 winner gets II", 1000, 1000, 10, 4 },
    { "rank 9.99 winner gets III", 1000, 1000, 9.99, 5 },
    // Rank 2: only IIю at 123 %.
    { "rank 2 winner gets IIю", 1000, 1000, 2, 7 },
    { "rank 2 IIю at the limit", 1000, 1230, 2, 7 },
    { "rank 2 over IIю", 1000, 1231, 2, 9 },
    // Below 2 the all-zero row: nothing.
    { "rank 1.5", 1000, 1000, 1.5, 9 },
    { "rank 1.5 faster than winner", 1000, 500, 1.5, 9 },
    { "rank 0", 1000, 1000, 0, 9 },
    { "negative rank", 1000, 1000, -1, 9 },
    // The standard time is raised to the next second.
    { "winner 1001 s, 1261.26 raised to 1262", 1001, 1262, 1000, 2 },
    { "winner 1001 s, over 1262", 1001, 1263, 1000, 3 },
    { "winner 1001 s at rank 125, 1001 s is КМС", 1001, 1001, 125, 2 },
    { "winner 999 s at rank 1000, 1258.74 raised to 1259", 999, 1259, 1000, 2 },
    { "winner 999 s at rank 1000, over 1259", 999, 1260, 1000, 3 },
};

} // namespace

TEST(AwardByTime, Table)
{
    for (const AwardCase &c : AwardCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(static_cast<int>(AwardByTime(c.winner, c.athlete, c.rank)), c.award);
    }
}

TEST(AwardByTime, NeverGivesTheFirstJuniorRank)
{
    // The III and Iю standards are equal in every row, so III always comes first.
    constexpr double ranks[] = { 1000, 800, 630, 500, 400, 320, 250, 200, 160, 125, 100, 80, 63, 50,
        40, 32, 25, 20, 16, 13, 10, 8, 6, 5, 4, 3, 2, 0 };
    for (const double rank : ranks) {
        for (int athlete = 1000; athlete <= 2100; ++athlete) {
            const int award = static_cast<int>(AwardByTime(1000, athlete, rank));
            ASSERT_NE(award, 6) << "rank " << rank << " athlete " << athlete;
            ASSERT_TRUE((award >= 2 && award <= 7) || award == 9) << award;
        }
    }
}

TEST(AwardByTime, SlowerNeverEarnsMore)
{
    // A higher qualification has a lower index; a slower time never earns a better one.
    constexpr double ranks[] = { 1000, 700, 450, 180, 130, 90, 45, 30, 12, 7, 3, 2 };
    for (const double rank : ranks) {
        int previous = 0;
        for (int athlete = 1; athlete <= 4000; ++athlete) {
            const int award = static_cast<int>(AwardByTime(1500, athlete, rank));
            ASSERT_GE(award, previous) << "rank " << rank << " athlete " << athlete;
            previous = award;
        }
    }
}

// ---------------------------------------------------------------- FindRankRow

TEST(FindRankRow, Table)
{
    struct Case
    {
        double rank;
        int row;
    };
    constexpr Case cases[] = {
        { 1e9, 0 },
        { 1000, 0 },
        { 999.9, 1 },
        { 800, 1 },
        { 799.99, 2 },
        { 370, 5 },
        { 320, 5 },
        { 319.9, 6 },
        { 125, 9 },
        { 124.99, 10 },
        { 40, 14 },
        { 39.9, 15 },
        { 3, 25 },
        { 2.5, 26 },
        { 2, 26 },
        { 1.99, 27 },
        { 1.5, 27 },
        { 0, 27 },
        { -5, 27 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rank);
        EXPECT_EQ(FindRankRow(c.rank), c.row);
    }
}

TEST(FindRankRow, EachThresholdSelectsItsRow)
{
    for (int row = 0; row < 28; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(FindRankRow(RankTable[row][0]), row);
        if (row > 0 && row < 27) {
            EXPECT_EQ(FindRankRow(RankTable[row][0] - 0.001), row + 1);
        }
    }
}

// ---------------------------------------------------------------- the award gate

TEST(AwardedQualification, EachConditionOfTheGateWithholdsTheAward)
{
    const RankResult rank { 100.0, 1000, 1000 };
    const TimeStandards standards(rank.WinnerSeconds, rank.CompetitionRank);
    const GroupSettings group;
    const AwardedLine placed { .Result = true, .Place = 1, .Seconds = 1000 };
    ASSERT_NE(AwardedQualification(placed, rank, standards, group), Qualification::NotAwarded);
    AwardedLine out = placed;
    out.Place.reset();
    out.OutOfCompetition = true;
    EXPECT_EQ(AwardedQualification(out, rank, standards, group),
        AwardedQualification(placed, rank, standards, group));

    struct Case
    {
        const char *why;
        AwardedLine line;
        RankResult rank;
        Category category;
    };
    AwardedLine unplaced = placed, noResult = placed, foreign = placed;
    unplaced.Place.reset();
    noResult.Result = false;
    foreign.Foreign = true;
    const Case cases[] = {
        { "no rank", placed, { 0.0, 1000, 1000 }, Category::Adults },
        { "no winner's time", placed, { 100.0, 0, 1000 }, Category::Adults },
        { "not a result line", noResult, rank, Category::Adults },
        { "no place, in competition", unplaced, rank, Category::Adults },
        { "foreign", foreign, rank, Category::Adults },
        { "not counted", placed, rank, Category::NotCounted },
    };
    for (const Case &c : cases) {
        GroupSettings settings = group;
        settings.Category = c.category;
        const TimeStandards set(c.rank.WinnerSeconds, c.rank.CompetitionRank);
        EXPECT_EQ(AwardedQualification(c.line, c.rank, set, settings), Qualification::NotAwarded)
            << c.why;
    }
}
