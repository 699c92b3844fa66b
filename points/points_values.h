// What a cell of the points tables may hold: text the rewrite writes into the protocol's
// five-byte team points field as it stands.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/team_points_source.h"

namespace points {

inline constexpr int MaxPointsValue = 99999;

// Empty (no points), or a whole number 0..99999 in one to five decimal digits: anything else
// (markup, "25abc", "1e9", a value of megabytes) would go into the HTML and break its columns.
bool IsPointsValue(std::string_view text);

// `table A, key "3": "25abc" is not a points value, a whole number 0-99999` (UTF-8).
std::string BadPointsValueReason(int table, int place, std::string_view text);

// A cell holding what IsPointsValue refuses.
struct BadPointsCell
{
    int Table = 0;
    int Place = 0;
};

// The first bad cell, table by table in the order given, place by place; none when the tables
// may be written. Tables outside the source are skipped.
std::optional<BadPointsCell> FirstBadPointsCell(
    const engine::TeamPointsSource &points, const std::vector<int> &tables);

} // namespace points
