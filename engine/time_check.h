// Result times that no clock shows: minutes or seconds past 59. They are read as they stand
// ("00:40:75" is 41 minutes 15 seconds), and the window and the batch run say where they are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/protocol.h"

namespace engine {

// The numbers (from 1) of the tables' result lines whose time reads but whose minutes or seconds
// exceed 59, in order; each table read through its layout (`groups` as loaded, which know their
// tables' layouts; without them each table's is found again).
std::vector<std::size_t> ImpossibleTimeLines(
    const ProtocolLines &lines, const std::vector<GroupSettings> &groups = {});
// The same for the lines of one part of the protocol (see ProtocolParts); the parts' lines in
// order are the whole protocol's.
std::vector<std::size_t> ImpossibleTimeLines(
    const ProtocolLines &lines, const std::vector<GroupSettings> &groups, const ProtocolPart &part);

// Whether the time a result line reads from has minutes or seconds past 59, read through the
// table's layout.
struct TableLayout;
bool TimePastFiftyNine(std::string_view line, const TableLayout &layout);

// "in.htm: lines 12, 40: the result time's minutes or seconds exceed 59 (read as they stand)";
// past the tenth line the rest are counted. Empty for no lines.
std::string DescribeImpossibleTimes(std::string_view file, const std::vector<std::size_t> &lines);

} // namespace engine
