#include "engine/rank.h"

#include "engine/recognizers.h"

namespace engine {

namespace {

    constexpr int CountedPlaces = 10;

} // namespace

RankResult ComputeRank(
    std::span<const ProtocolLine> results, bool countOutOfCompetition, bool excludeForeign)
{
    RankResult rank;
    int counted = 0;
    int place = 0;
    int previousSeconds = 0;
    for (const ProtocolLine &line : results) {
        if (!countOutOfCompetition && IsOutOfCompetition(line))
            continue;
        const std::optional<int> seconds = SecondsOf(line);
        if (!seconds)
            continue;
        if (rank.FirstSeconds == 0)
            rank.FirstSeconds = *seconds;
        if (excludeForeign && HasForeignCode(line))
            continue;
        ++counted;
        if (*seconds != previousSeconds)
            place = counted;
        if (place > CountedPlaces)
            break;
        previousSeconds = *seconds;
        if (rank.WinnerSeconds == 0)
            rank.WinnerSeconds = *seconds;
        rank.CompetitionRank += QualificationPoints[IndexOf(QualificationOf(line))];
    }
    if (place < CountedPlaces)
        rank.CompetitionRank = 0.0;
    return rank;
}

} // namespace engine
