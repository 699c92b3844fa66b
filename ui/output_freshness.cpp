#include "ui/output_freshness.h"

#include <algorithm>

namespace ui {

namespace {

    // The points a group's table gives, place by place; nothing for no table.
    std::vector<std::string_view> TablePoints(const points::PointsGrid &grid, int table)
    {
        std::vector<std::string_view> values;
        if (table <= 0)
            return values;
        values.reserve(static_cast<std::size_t>(grid.PlacesCount()) + 1);
        values.push_back(table <= grid.TablesCount() ? "table" : "no table");
        for (int place = 1; place <= grid.PlacesCount(); ++place)
            values.push_back(grid.Value(table, place));
        return values;
    }

    bool SameOptions(const engine::ProcessOptions &a, const engine::ProcessOptions &b)
    {
        return a.RatingPoints == b.RatingPoints
            && a.CountOutOfCompetition == b.CountOutOfCompetition
            && a.ExcludeForeign == b.ExcludeForeign && a.DecimalSeparator == b.DecimalSeparator
            && (!a.RatingPoints || (a.K1Text == b.K1Text && a.K2Text == b.K2Text));
    }

} // namespace

bool GroupSettingsDiffer(
    const std::vector<engine::GroupSettings> &a, const std::vector<engine::GroupSettings> &b)
{
    return !std::equal(a.begin(), a.end(), b.begin(), b.end(),
        [](const engine::GroupSettings &x, const engine::GroupSettings &y) {
            return x.Heading == y.Heading && x.DistanceClass == y.DistanceClass
                && x.Category == y.Category && x.MastersCount == y.MastersCount
                && x.PointsTable == y.PointsTable;
        });
}

unsigned OutputChanges(const OutputInputs &made, std::uint64_t read,
    const std::vector<engine::GroupSettings> &groups, const points::PointsGrid &grid,
    const engine::ProcessOptions &options)
{
    unsigned changes = made.Failed ? FailedRun : NoChange;
    if (made.Read != read)
        changes |= ProtocolChange;
    if (!SameOptions(made.Options, options))
        changes |= OptionsChange;
    if (made.Groups.size() != groups.size()) {
        changes |= GroupsChange;
        return changes;
    }
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const engine::GroupSettings &was = made.Groups[i];
        const engine::GroupSettings &is = groups[i];
        if (was.Heading != is.Heading || was.DistanceClass != is.DistanceClass
            || was.Category != is.Category || was.MastersCount != is.MastersCount
            || (was.PointsTable == 0) != (is.PointsTable == 0))
            changes |= GroupsChange;
        else if (TablePoints(made.Grid, was.PointsTable) != TablePoints(grid, is.PointsTable))
            changes |= TablesChange;
    }
    return changes;
}

} // namespace ui
