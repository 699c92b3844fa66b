// What the output view's results were made from, so that the window can tell the moment they no
// longer match what is set: another read of the protocol, a group's setting, a points table the
// groups use, an option.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/protocol.h"
#include "engine/rewrite.h"
#include "points/points_grid.h"

namespace ui {

// The kinds of change since the results were made; several may hold at once.
enum OutputChange : unsigned {
    NoChange = 0,
    ProtocolChange = 1, // the protocol was read again (the file may have changed on disk)
    GroupsChange = 2, // a group's class, category or masters count, or whether it gets points
    TablesChange = 4, // the points of a table that a group uses
    OptionsChange = 8, // a check box, or a "К=" while rating points are on
    FailedRun = 16, // the run stopped at a failure: what is shown is not all of it
};

// The inputs of one run of the rewrite, copied when its results were shown.
struct OutputInputs
{
    std::uint64_t Read = 0; // which read of the protocol the lines came from
    std::vector<engine::GroupSettings> Groups;
    points::PointsGrid Grid;
    engine::ProcessOptions Options;
    bool Failed = false; // the run stopped at a failure
};

// What differs between the inputs `made` and those set now (FailedRun when `made` failed). Only
// what the rewrite reads counts: a group keeps its points when it moves to another table of the
// same points (as the groups do when a table left of theirs is removed), and "К=" counts only with
// rating points.
unsigned OutputChanges(const OutputInputs &made, std::uint64_t read,
    const std::vector<engine::GroupSettings> &groups, const points::PointsGrid &grid,
    const engine::ProcessOptions &options);

// Whether two lists of groups differ in a heading or a setting the user gives (class, category,
// masters count, points table).
bool GroupSettingsDiffer(
    const std::vector<engine::GroupSettings> &a, const std::vector<engine::GroupSettings> &b);

} // namespace ui
