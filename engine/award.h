// What a group's settings make of the award by time, and the summary under each table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/protocol.h"
#include "engine/rank.h"

namespace engine {

// The qualification an athlete of the group earns: МС by place for the first MastersCount places
// of a class МС course, otherwise by time, raised to the course's class and shaped by the
// category. `place` is the readable place (none out of competition), `seconds` the result time.
// `standards`: the group's, at its rank and winner's time.
Qualification AwardedQualification(std::optional<int> place, std::optional<int> seconds,
    const TimeStandards &standards, const GroupSettings &group);

// Whether the category shows the standard of a qualification in the summary.
bool CategoryAdmits(Category category, Qualification qualification);

// The lines below a table: class, rank, masters and standard times, or "Ранг не определялся".
std::vector<std::string> SummaryLines(
    const RankResult &rank, const GroupSettings &group, char decimalSeparator);

} // namespace engine
