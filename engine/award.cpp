#include "engine/award.h"

#include <algorithm>
#include <array>

#include "engine/messages.h"
#include "engine/numbers.h"

namespace engine {

namespace {

    bool IsAdultRank(Qualification q) { return !IsBelow(q, Qualification::Third); }

    // "КМС -  112%  - 00:47:02". Made once a table, thousands of times in a large protocol: the
    // digits go through one buffer rather than a string each.
    std::string StandardLine(Qualification qualification, int percent, int winnerSeconds)
    {
        const long long t = StandardSeconds(winnerSeconds, percent);
        std::array<char, 16> digits;
        const auto number = [&](long long value, int width) {
            return FormatPadded(static_cast<int>(value), width, digits);
        };
        std::string line;
        line.reserve(32);
        line += LabelOf(qualification);
        line += " -  ";
        line += number(percent, 0);
        line += "%  - ";
        line += number(t / 3600, 2);
        line += ':';
        line += number((t / 600) % 6, 1);
        line += number((t / 60) % 10, 1);
        line += ':';
        line += number((t / 10) % 6, 1);
        line += number(t % 10, 1);
        return line;
    }

} // namespace

Qualification AwardedQualification(const AwardedLine &line, const RankResult &rank,
    const TimeStandards &standards, const GroupSettings &group)
{
    // A group without a rank (fewer than ten places seen) sets no standards.
    if (rank.CompetitionRank <= 0)
        return Qualification::NotAwarded;
    // Without a winner's time there is nothing to measure the times against.
    if (rank.WinnerSeconds <= 0)
        return Qualification::NotAwarded;
    // A note, a disqualification or a line that does not read as a result earns nothing.
    if (!line.Result)
        return Qualification::NotAwarded;
    // Only a placed athlete, or one out of competition, is awarded; a line whose place does not
    // read is neither.
    if (!line.Place && !line.OutOfCompetition)
        return Qualification::NotAwarded;
    // Foreign athletes earn no home qualification when the user leaves them out.
    if (line.Foreign)
        return Qualification::NotAwarded;
    // A group whose category is "not counted" awards nothing.
    if (group.Category == Category::NotCounted)
        return Qualification::NotAwarded;
    const std::optional<int> place = line.Place;
    if (group.DistanceClass == DistanceClass::Ms && place && *place >= 1
        && *place <= group.MastersCount)
        return Qualification::Ms;
    Qualification award = line.Seconds ? standards.Award(*line.Seconds) : Qualification::NotAwarded;
    // The course's class caps the award.
    const Qualification highest = HighestAward(group.DistanceClass);
    if (IsBelow(highest, award))
        award = highest;
    switch (group.Category) {
    case Category::Adults:
        if (!IsAdultRank(award))
            award = Qualification::NotAwarded;
        break;
    case Category::Juniors:
        if (award == Qualification::Third)
            award = Qualification::FirstJunior;
        break;
    default:
        break;
    }
    return award == Qualification::NoRank ? Qualification::NotAwarded : award;
}

bool CategoryAdmits(Category category, Qualification qualification)
{
    switch (category) {
    case Category::Adults:
        return IsAdultRank(qualification);
    case Category::Juniors:
        return qualification != Qualification::Third;
    case Category::Combined:
        return qualification != Qualification::FirstJunior;
    default:
        return false;
    }
}

std::vector<std::string> SummaryLines(
    const RankResult &rank, const GroupSettings &group, char decimalSeparator)
{
    if (rank.CompetitionRank <= 0 || group.Category == Category::NotCounted)
        return { std::string(texts::NoRankLine) };
    std::vector<std::string> lines;
    const Qualification highest = HighestAward(group.DistanceClass);
    lines.push_back(std::string(texts::ClassLine) + std::string(LabelOf(highest)));
    lines.push_back(std::string(texts::RankLine)
        + FormatFixed(rank.CompetitionRank, 3, 1, decimalSeparator) + std::string(texts::RankUnit));
    if (group.DistanceClass == DistanceClass::Ms && group.MastersCount == 1)
        lines.emplace_back(texts::OneMasterLine);
    else if (group.DistanceClass == DistanceClass::Ms && group.MastersCount > 1)
        lines.push_back(std::string(texts::MastersLine) + FormatPadded(group.MastersCount, 0)
            + std::string(texts::MastersUnit));
    const int row = FindRankRow(rank.CompetitionRank);
    for (int column = FirstStandardColumn; column <= LastStandardColumn; ++column) {
        const Qualification m = QualificationOfColumn(column);
        const int percent = RankTable[row][column];
        if (!IsBelow(highest, m) && percent != 0 && CategoryAdmits(group.Category, m))
            lines.push_back(StandardLine(m, percent, rank.WinnerSeconds));
    }
    return lines;
}

} // namespace engine
