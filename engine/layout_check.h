// Tables whose columns do not stand where the recognizers read them. Results programs, and
// other versions of them, lay tables out differently; the rewrite does not guess at such a
// table (its fields are read where they fall), so the user is told which groups to check.
#pragma once

#include <string>
#include <vector>

#include "engine/protocol.h"
#include "engine/result.h"

namespace engine {

// One finding per table: Line is the table's "<pre>" line (1-based), Reason names the group
// (Windows-1251, as the heading has it) and what is wrong, in English.
std::vector<Failure> CheckTableLayouts(
    const ProtocolLines &lines, const std::vector<GroupSettings> &groups);
// The same for one part of the protocol: the findings of all parts, in order, are the whole's.
std::vector<Failure> CheckTableLayouts(
    const ProtocolLines &lines, const std::vector<GroupSettings> &groups, const ProtocolPart &part);

// What the checks of the tables find: the tables laid out differently (as CheckTableLayouts),
// and the lines whose times have minutes or seconds past 59 (as ImpossibleTimeLines).
struct TableChecks
{
    std::vector<Failure> Layout;
    std::vector<std::size_t> ImpossibleTimes;
    // The findings of the part after these, after them.
    void Append(const TableChecks &more);
};
struct TableChecksAsked
{
    bool Layout = true;
    bool ImpossibleTimes = true;
};
// Both checks of the whole protocol in one reading of its tables' lines; a large one is read in
// two parts at once.
TableChecks CheckTables(const ProtocolLines &lines, const std::vector<GroupSettings> &groups,
    TableChecksAsked asked = {});
// The same for one part of the protocol: the findings of all parts, in order, are the whole's.
TableChecks CheckTables(const ProtocolLines &lines, const std::vector<GroupSettings> &groups,
    const ProtocolPart &part, TableChecksAsked asked = {});

// The findings as one warning (UTF-8): a line saying what it means, then "file:line: group:
// what" for each table; empty when there are none.
std::string DescribeLayoutProblems(std::string_view file, const std::vector<Failure> &problems);

// What the user should know of the groups' tables as the protocol was read (UTF-8, one line a
// kind, empty when nothing): headings without any table, relays and tables not mapped (copied
// unchanged, not counted), handicap starts (not counted until the user counts them).
std::string DescribeTableNotes(const std::vector<GroupSettings> &groups);

} // namespace engine
