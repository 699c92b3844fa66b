// The competition rank of a group: the qualification points of its ten best athletes.
#pragma once

#include <span>

#include "engine/protocol.h"

namespace engine {

struct RankResult
{
    double CompetitionRank = 0.0; // 0 when fewer than ten places were seen
    int WinnerSeconds = 0; // the time the standards rest on; 0 when none
    int FirstSeconds = 0; // the time rating points rest on; 0 when none
};

RankResult ComputeRank(
    std::span<const ProtocolLine> results, bool countOutOfCompetition, bool excludeForeign);

} // namespace engine
