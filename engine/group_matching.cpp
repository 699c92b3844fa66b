#include "engine/group_matching.h"

#include <unordered_map>

#include "engine/table_layout.h"

namespace engine {

GroupMatch MatchGroups(
    const std::vector<std::string_view> &earlier, const std::vector<std::string_view> &now)
{
    // The earlier groups of each name in order; each new group of that name takes the next.
    struct Queue
    {
        std::vector<std::size_t> Indices;
        std::size_t Taken = 0;
    };
    std::unordered_map<std::string_view, Queue> byName;
    byName.reserve(earlier.size());
    for (std::size_t i = 0; i < earlier.size(); ++i)
        byName[earlier[i]].Indices.push_back(i);

    GroupMatch match;
    match.Earlier.reserve(now.size());
    for (std::size_t i = 0; i < now.size(); ++i) {
        const auto found = byName.find(now[i]);
        if (found == byName.end() || found->second.Taken == found->second.Indices.size()) {
            match.Earlier.emplace_back();
            ++match.New;
            continue;
        }
        const std::size_t from = found->second.Indices[found->second.Taken++];
        match.Earlier.emplace_back(from);
        ++match.Kept;
        if (from != i)
            match.Moved = true;
    }
    match.Lost = earlier.size() - match.Kept;
    return match;
}

void SetDefaultSettings(GroupSettings &group)
{
    group.DistanceClass = DistanceClass::First;
    group.MastersCount = 0;
    group.PointsTable = 0;
    group.Category = DeriveCategory(group.Name);
    // The secretary decides whether such a table counts.
    if (group.Table && StartsUncounted(group.Table->Layout.Kind))
        group.Category = Category::NotCounted;
}

bool HoldsDefaultSettings(const GroupSettings &group)
{
    GroupSettings defaults = group;
    SetDefaultSettings(defaults);
    return group.DistanceClass == defaults.DistanceClass
        && group.MastersCount == defaults.MastersCount && group.PointsTable == defaults.PointsTable
        && group.Category == defaults.Category;
}

GroupMatch KeepSettings(
    const std::vector<GroupSettings> &earlier, std::vector<GroupSettings> &groups)
{
    std::vector<std::string_view> before;
    before.reserve(earlier.size());
    for (const GroupSettings &group : earlier)
        before.push_back(group.Name);
    std::vector<std::string_view> now;
    now.reserve(groups.size());
    for (const GroupSettings &group : groups)
        now.push_back(group.Name);
    GroupMatch match = MatchGroups(before, now);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (!match.Earlier[i])
            continue;
        const GroupSettings &from = earlier[*match.Earlier[i]];
        groups[i].DistanceClass = from.DistanceClass;
        groups[i].MastersCount = from.MastersCount;
        groups[i].PointsTable = from.PointsTable;
        groups[i].Category = from.Category;
    }
    return match;
}

} // namespace engine
