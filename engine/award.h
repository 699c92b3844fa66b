// What a group's settings make of the award by time, and the summary under each table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/protocol.h"
#include "engine/rank.h"

namespace engine {

// What the rewrite has read of a result line when it decides the line's award.
struct AwardedLine
{
    bool Result = false; // the line reads as a result line
    bool OutOfCompetition = false;
    bool Foreign = false; // a foreign athlete, and foreign athletes are left out
    std::optional<int> Place; // the readable place; none out of competition
    std::optional<int> Seconds; // the result time
};

// The qualification an athlete of the group earns, NotAwarded for a line that earns none: МС by
// place for the first MastersCount places of a class МС course, otherwise by time, capped by the
// course's class and shaped by the category. `rank`: the group's, `standards` the times it sets.
Qualification AwardedQualification(const AwardedLine &line, const RankResult &rank,
    const TimeStandards &standards, const GroupSettings &group);

// Whether the category shows the standard of a qualification in the summary.
bool CategoryAdmits(Category category, Qualification qualification);

// The lines below a table: class, rank, masters and standard times, or "Ранг не определялся".
std::vector<std::string> SummaryLines(
    const RankResult &rank, const GroupSettings &group, char decimalSeparator);

} // namespace engine
