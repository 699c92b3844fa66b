// The competition rank of a group: the qualification points of its ten best athletes, the
// winner's time and the first time, with out-of-competition and foreign athletes.
#include "engine/rewrite.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cp1251.h"
#include "tests/engine/test_lines.h"

using namespace engine;
using testlines::Clock;
using testlines::FieldsLine;
using testlines::Put;

namespace {

using Lines = std::vector<ProtocolLine>;



std::string Place(int place)
{
    char text[32];
    std::snprintf(text, sizeof text, "%4d", place);
    return text;
}

constexpr std::string_view Mcmk = "МСМК "_w1251;
constexpr std::string_view Mc = "МС   "_w1251;
constexpr std::string_view Kmc = "КМС  "_w1251;
constexpr std::string_view First = "I    "_w1251;
constexpr std::string_view Second = "II   "_w1251;
constexpr std::string_view Third = "III  "_w1251;
constexpr std::string_view FirstJunior = "Iю   "_w1251;
constexpr std::string_view SecondJunior = "IIю  "_w1251;
constexpr std::string_view NoRankCode = "     ";

// A Belarusian athlete of a Minsk club.
std::string Local(std::string_view qualification, int seconds, int place)
{
    return FieldsLine(
        "Иванов Иван"_w1251, "Минск"_w1251, qualification, Clock(seconds), Place(place));
}

std::string Foreign(std::string_view qualification, int seconds, int place)
{
    return FieldsLine(
        "Петрайтис Йонас"_w1251, "Вильнюс LTU"_w1251, qualification, Clock(seconds), Place(place));
}

std::string OutOfCompetition(std::string_view qualification, int seconds)
{
    return FieldsLine(
        "Сидоров Петр"_w1251, "Гомель"_w1251, qualification, Clock(seconds), " в/к"_w1251);
}

// `count` local athletes with one qualification, a minute apart from `start`.
void AddLocals(Lines &lines, int count, std::string_view qualification, int start)
{
    for (int i = 0; i < count; ++i)
        lines.push_back(Local(qualification, start + 60 * i, static_cast<int>(lines.size()) + 1));
}

RankResult Rank(const Lines &lines, bool countOutOfCompetition = false, bool excludeForeign = true)
{
    return ComputeRank(lines, countOutOfCompetition, excludeForeign);
}

} // namespace

TEST(ComputeRank, ElevenDistinctTimesCountTheFirstTen)
{
    Lines lines;
    lines.push_back(Local(Mc, 3600, 1));
    AddLocals(lines, 10, Kmc, 3700);
    const RankResult result = Rank(lines);
    EXPECT_DOUBLE_EQ(result.CompetitionRank, 100 + 9 * 30);
    EXPECT_EQ(result.WinnerSeconds, 3600);
    EXPECT_EQ(result.FirstSeconds, 3600);
}

TEST(ComputeRank, TenDistinctTimesGiveARank)
{
    Lines lines;
    AddLocals(lines, 10, First, 3000);
    EXPECT_DOUBLE_EQ(Rank(lines).CompetitionRank, 100.0);
}

TEST(ComputeRank, NineAthletesGiveNoRank)
{
    Lines lines;
    AddLocals(lines, 9, Mcmk, 3000);
    const RankResult result = Rank(lines);
    EXPECT_EQ(result.CompetitionRank, 0.0);
    EXPECT_EQ(result.WinnerSeconds, 3000);
    EXPECT_EQ(result.FirstSeconds, 3000);
}

TEST(ComputeRank, NoLines)
{
    const RankResult result = Rank({});
    EXPECT_EQ(result.CompetitionRank, 0.0);
    EXPECT_EQ(result.WinnerSeconds, 0);
    EXPECT_EQ(result.FirstSeconds, 0);
}

TEST(ComputeRank, TieOnTheNinthPlaceLeavesTenAthletesWithoutRank)
{
    Lines lines;
    AddLocals(lines, 9, Kmc, 3000);
    lines.push_back(Local(Kmc, 3000 + 8 * 60, 9)); // shares the ninth place
    EXPECT_EQ(Rank(lines).CompetitionRank, 0.0);

    // An eleventh athlete takes place 11, which keeps the rank of the ten.
    lines.push_back(Local(Kmc, 4000, 11));
    EXPECT_DOUBLE_EQ(Rank(lines).CompetitionRank, 10 * 30);
}

TEST(ComputeRank, ThreeTiedOnTheNinthPlaceAndATwelfth)
{
    Lines lines;
    AddLocals(lines, 8, Kmc, 3000);
    for (int i = 0; i < 3; ++i)
        lines.push_back(Local(First, 3600, 9));
    EXPECT_EQ(Rank(lines).CompetitionRank, 0.0);
    lines.push_back(Local(Kmc, 4000, 12));
    EXPECT_DOUBLE_EQ(Rank(lines).CompetitionRank, 8 * 30 + 3 * 10);
}

TEST(ComputeRank, EveryAthleteTiedOnTheTenthPlaceCounts)
{
    Lines lines;
    AddLocals(lines, 9, Kmc, 3000);
    for (int i = 0; i < 3; ++i)
        lines.push_back(Local(First, 3600, 10));
    EXPECT_DOUBLE_EQ(Rank(lines).CompetitionRank, 9 * 30 + 3 * 10);

    // The thirteenth, at place 13, stops the pass and is not counted.
    lines.push_back(Local(Mcmk, 3700, 13));
    EXPECT_DOUBLE_EQ(Rank(lines).CompetitionRank, 9 * 30 + 3 * 10);
}

TEST(ComputeRank, TieAtTheTopStillLeavesTenPlaces)
{
    Lines lines;
    lines.push_back(Local(Second, 3000, 1));
    lines.push_back(Local(Second, 3000, 1));
    AddLocals(lines, 8, Second, 3100);
    const RankResult result = Rank(lines);
    EXPECT_DOUBLE_EQ(result.CompetitionRank, 10 * 3);
    EXPECT_EQ(result.WinnerSeconds, 3000);
}

TEST(ComputeRank, PointsOfEveryQualification)
{
    Lines lines;
    int seconds = 3000;
    for (const std::string_view code :
        { Mcmk, Mc, Kmc, First, Second, Third, FirstJunior, SecondJunior, NoRankCode }) {
        lines.push_back(Local(code, seconds, static_cast<int>(lines.size()) + 1));
        seconds += 30;
    }
    lines.push_back(Local("ЗМС  "_w1251, seconds, 10)); // unknown code: no rank
    EXPECT_NEAR(
        Rank(lines).CompetitionRank, 130 + 100 + 30 + 10 + 3 + 1 + 1 + 0.3 + 0.2 + 0.2, 1e-9);
}

TEST(ComputeRank, FractionalPoints)
{
    Lines juniors;
    AddLocals(juniors, 10, SecondJunior, 3000);
    EXPECT_NEAR(Rank(juniors).CompetitionRank, 3.0, 1e-9);
    Lines unranked;
    AddLocals(unranked, 10, NoRankCode, 3000);
    EXPECT_NEAR(Rank(unranked).CompetitionRank, 2.0, 1e-9);
}

TEST(ComputeRank, ForeignWinnerSetsOnlyTheFirstTime)
{
    Lines lines;
    lines.push_back(Foreign(Mcmk, 3000, 1));
    AddLocals(lines, 10, Kmc, 3100);

    const RankResult excluded = Rank(lines, false, true);
    EXPECT_EQ(excluded.FirstSeconds, 3000);
    EXPECT_EQ(excluded.WinnerSeconds, 3100);
    EXPECT_DOUBLE_EQ(excluded.CompetitionRank, 10 * 30);

    const RankResult included = Rank(lines, false, false);
    EXPECT_EQ(included.FirstSeconds, 3000);
    EXPECT_EQ(included.WinnerSeconds, 3000);
    EXPECT_DOUBLE_EQ(included.CompetitionRank, 130 + 9 * 30);
}

TEST(ComputeRank, ExcludedForeignAthleteTakesNoPlace)
{
    Lines lines;
    AddLocals(lines, 4, Kmc, 3000);
    lines.push_back(Foreign(Mcmk, 3300, 5));
    AddLocals(lines, 5, Kmc, 3400);
    // Nine local athletes: no rank when the foreign one is left out.
    EXPECT_EQ(Rank(lines, false, true).CompetitionRank, 0.0);
    EXPECT_DOUBLE_EQ(Rank(lines, false, false).CompetitionRank, 130 + 9 * 30);

    lines.push_back(Local(Kmc, 4000, 11));
    EXPECT_DOUBLE_EQ(Rank(lines, false, true).CompetitionRank, 10 * 30);
}

TEST(ComputeRank, ForeignCodeInTheRemarks)
{
    Lines lines;
    lines.push_back(
        FieldsLine("Коваленко Олег"_w1251, "Минск"_w1251, Mcmk, Clock(3000), "   1", "UKR "));
    AddLocals(lines, 10, Kmc, 3100);
    const RankResult result = Rank(lines, false, true);
    EXPECT_EQ(result.WinnerSeconds, 3100);
    EXPECT_DOUBLE_EQ(result.CompetitionRank, 10 * 30);
}

TEST(ComputeRank, BelarusIsNotForeign)
{
    Lines lines;
    lines.push_back(FieldsLine("Иванов Иван"_w1251, "BLR", Mcmk, Clock(3000), "   1"));
    AddLocals(lines, 9, Kmc, 3100);
    const RankResult result = Rank(lines, false, true);
    EXPECT_EQ(result.WinnerSeconds, 3000);
    EXPECT_DOUBLE_EQ(result.CompetitionRank, 130 + 9 * 30);
}

TEST(ComputeRank, OutOfCompetitionWinnerIsSkippedUnlessCounted)
{
    Lines lines;
    lines.push_back(OutOfCompetition(Mcmk, 3000));
    AddLocals(lines, 10, Kmc, 3100);

    const RankResult skipped = Rank(lines, false, true);
    EXPECT_EQ(skipped.FirstSeconds, 3100);
    EXPECT_EQ(skipped.WinnerSeconds, 3100);
    EXPECT_DOUBLE_EQ(skipped.CompetitionRank, 10 * 30);

    const RankResult counted = Rank(lines, true, true);
    EXPECT_EQ(counted.FirstSeconds, 3000);
    EXPECT_EQ(counted.WinnerSeconds, 3000);
    EXPECT_DOUBLE_EQ(counted.CompetitionRank, 130 + 9 * 30);
}

TEST(ComputeRank, OutOfCompetitionAthleteCompletesTheTenWhenCounted)
{
    Lines lines;
    AddLocals(lines, 5, First, 3000);
    lines.push_back(OutOfCompetition(First, 3300));
    AddLocals(lines, 4, First, 3400);
    EXPECT_EQ(Rank(lines, false, true).CompetitionRank, 0.0);
    EXPECT_DOUBLE_EQ(Rank(lines, true, true).CompetitionRank, 10 * 10);
}

TEST(ComputeRank, ForeignOutOfCompetitionWinner)
{
    Lines lines;
    lines.push_back(
        FieldsLine("Петрайтис Йонас"_w1251, "LTU"_w1251, Mcmk, Clock(2900), " в/к"_w1251));
    AddLocals(lines, 10, Kmc, 3100);

    // Counted as out of competition, it still sets the first time but is excluded as foreign.
    const RankResult result = Rank(lines, true, true);
    EXPECT_EQ(result.FirstSeconds, 2900);
    EXPECT_EQ(result.WinnerSeconds, 3100);
    EXPECT_DOUBLE_EQ(result.CompetitionRank, 10 * 30);

    const RankResult skipped = Rank(lines, false, false);
    EXPECT_EQ(skipped.FirstSeconds, 3100);
    EXPECT_EQ(skipped.WinnerSeconds, 3100);
}

TEST(ComputeRank, LinesWithoutATimeAreSkipped)
{
    Lines lines;
    lines.push_back("");
    lines.push_back(FieldsLine("Иванов Иван"_w1251, "Минск"_w1251, Mcmk, "  :  :  ", "    "));
    lines.push_back(FieldsLine("Иванов Иван"_w1251, "Минск"_w1251, Mcmk, "снят"_w1251, "    "));
    AddLocals(lines, 5, Kmc, 3000);
    lines.push_back(std::string(40, ' '));
    lines.push_back(FieldsLine("Петров Петр"_w1251, "Минск"_w1251, Mcmk, "1:00:00", "    "));
    AddLocals(lines, 5, Kmc, 4000);
    const RankResult result = Rank(lines);
    EXPECT_EQ(result.FirstSeconds, 3000);
    EXPECT_EQ(result.WinnerSeconds, 3000);
    EXPECT_DOUBLE_EQ(result.CompetitionRank, 10 * 30);
}

TEST(ComputeRank, AnyLineWithAReadableTimeCounts)
{
    // Result-line layout is not checked: a line whose byte 5 is taken by a long number still
    // counts when its time can be read.
    Lines lines;
    AddLocals(lines, 9, Kmc, 3000);
    std::string odd = Local(Kmc, 4000, 10);
    Put(odd, 1, "10000");
    lines.push_back(odd);
    EXPECT_DOUBLE_EQ(Rank(lines).CompetitionRank, 10 * 30);
}
