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
    int row = 0;
    while (row < RankRows && RankTable[row][0] > rank)
        ++row;
    if (row == RankRows)
        return Qualification::NotAwarded;
    for (int column = FirstStandardColumn; column <= LastStandardColumn; ++column) {
        if (StandardSeconds(winnerSeconds, RankTable[row][column]) >= athleteSeconds)
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
