// Which group of an earlier reading a group of a new reading takes its settings from.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol.h"

namespace engine {

// A group is the same group when its name is: groups are found by name wherever they moved, and
// among groups of one name (a protocol may repeat a heading) the k-th of the new reading is the
// k-th of the earlier one.
struct GroupMatch
{
    // For each new group, the index of the earlier group it is; none for a name that is new.
    std::vector<std::optional<std::size_t>> Earlier;
    std::size_t Kept = 0; // new groups that are earlier ones
    std::size_t New = 0; // new groups without an earlier one
    std::size_t Lost = 0; // earlier groups that are no new one
    bool Moved = false; // some kept group stands at another position
    // Groups came, went or moved.
    bool Changed() const { return New != 0 || Lost != 0 || Moved; }
};
GroupMatch MatchGroups(
    const std::vector<std::string_view> &earlier, const std::vector<std::string_view> &now);

// The settings a group gets when its name is new: class "I р.", no masters, no points, and the
// category its name gives (uncounted for a relay, a table not mapped and a handicap start).
void SetDefaultSettings(GroupSettings &group);
// Whether the group holds those, so that nothing the secretary gave it is at stake.
bool HoldsDefaultSettings(const GroupSettings &group);

// Gives each group of `groups` the class, masters count, points table and category of the
// earlier group it is (see MatchGroups); a group with a new name keeps what it holds.
GroupMatch KeepSettings(
    const std::vector<GroupSettings> &earlier, std::vector<GroupSettings> &groups);

} // namespace engine
