// The team points column of one table: points by place from a points table.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/team_points_source.h"

namespace engine {

// Athletes sharing a place share a row, and personal and out-of-competition athletes take
// none: the next athlete of a team gets the row after the last scoring one.
class TeamPointsColumn
{
public:
    TeamPointsColumn(const TeamPointsSource &points, int table);

    // The five-byte field of a line: `personal` whether the athlete runs personally (looked at
    // only for a result line with a place), `place` its readable place (none out of
    // competition), `result` whether it is a result line. The view holds until the next call.
    std::string_view Field(bool personal, bool result, std::optional<int> place);

private:
    std::string_view ValueAtRow(long long row);
    std::string_view FilledAtOrAbove(long long row);

    const TeamPointsSource &m_points;
    int m_table;
    long long m_row = 0;
    int m_previousPlace = 0;
    std::string m_field; // the latest field, padded
    long long m_fieldRow = 0; // the row it was made for
    long long m_scannedTo = 0; // rows 1..m_scannedTo have been looked at
    std::string_view m_lastFilled; // the last non-empty cell among them
};

} // namespace engine
