// The competition rank of a group: the qualification points of its ten best athletes.
#pragma once

#include <string_view>

#include "engine/qualification.h"
#include "engine/recognizers.h"
#include "engine/table_layout.h"

namespace engine {

struct RankResult
{
    double CompetitionRank = 0.0; // 0 when fewer than ten places were seen
    int WinnerSeconds = 0; // the time the standards rest on; 0 when none
    int FirstSeconds = 0; // the time rating points rest on; 0 when none
};

// `results`: the group's result lines in order, any range of byte strings.
// `layout`: the table's columns, which the lines are read through.
template <typename Lines>
RankResult ComputeRank(const Lines &results, bool countOutOfCompetition, bool excludeForeign,
    const TableLayout &layout = StandardLayout)
{
    constexpr int CountedPlaces = 10;
    RankResult rank;
    int counted = 0;
    int place = 0;
    int previousSeconds = 0;
    for (const std::string_view line : results) {
        if (!countOutOfCompetition && IsOutOfCompetition(line, layout))
            continue;
        const std::optional<int> seconds = SecondsOf(line, layout);
        if (!seconds)
            continue;
        if (rank.FirstSeconds == 0)
            rank.FirstSeconds = *seconds;
        if (excludeForeign && HasForeignCode(line, layout))
            continue;
        ++counted;
        if (*seconds != previousSeconds)
            place = counted;
        if (place > CountedPlaces)
            break;
        previousSeconds = *seconds;
        if (rank.WinnerSeconds == 0)
            rank.WinnerSeconds = *seconds;
        rank.CompetitionRank += QualificationPoints[IndexOf(QualificationOf(line, layout))];
    }
    if (place < CountedPlaces)
        rank.CompetitionRank = 0.0;
    return rank;
}

} // namespace engine
