#include "engine/qualification.h"

#include <cmath>

namespace engine {

long long StandardSeconds(int winnerSeconds, int percent)
{
    const long long product = static_cast<long long>(winnerSeconds) * percent;
    return static_cast<long long>(std::ceil(static_cast<double>(product) / 100.0));
}

Qualification AwardByTime(int winnerSeconds, int athleteSeconds, double rank)
{
    return TimeStandards(winnerSeconds, rank).Award(athleteSeconds);
}

TimeStandards::TimeStandards(int winnerSeconds, double rank)
{
    int row = 0;
    while (row < RankRows && RankTable[row][0] > rank)
        ++row;
    m_ranked = row < RankRows;
    if (!m_ranked)
        return;
    for (int column = FirstStandardColumn; column <= LastStandardColumn; ++column)
        m_seconds[column] = StandardSeconds(winnerSeconds, RankTable[row][column]);
}

Qualification TimeStandards::Award(int athleteSeconds) const
{
    if (!m_ranked)
        return Qualification::NotAwarded;
    for (int column = FirstStandardColumn; column <= LastStandardColumn; ++column) {
        if (m_seconds[column] >= athleteSeconds)
            return QualificationOfColumn(column);
    }
    return Qualification::NotAwarded;
}

int FindRankRow(double rank)
{
    int row = 0;
    while (row < RankRows - 1 && RankTable[row][0] > rank)
        ++row;
    return row;
}

} // namespace engine
